#include "Site.h"
#include "TestServices.h"
#include "data/DataSource.h"
#include "data/SiteModel.h"
#include "regional/RegionalSettings.h"
#include "ui/DbCombo.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

// The description pull-down over a level table of 1,000 items: it reads its
// list when the worker opens it, further as the open list scrolls, and tells
// only of the worker's picks.
class TestDbCombo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readsListAsItScrolls();
    void selectsOnlyWhenWorkerPicks();
    void keepsItsTextUntilFirstShown();

private:
    QStringList allDescriptions() const;
    // Opens the list and scrolls to its end until nothing more is read.
    void scrollToEnd();
    // Opens the list and closes it again; how many items it holds then.
    int opened();

    static constexpr int items = 1000;
    std::unique_ptr<Site> m_site;
    FixedClock m_clock;
    RegionalSettings m_regional {
        u"MM/dd/yyyy"_s, u"h:mm:ss AP"_s, QLatin1Char('.'), QLatin1Char(','), m_clock};
    std::unique_ptr<QWidget> m_window;
    DataSource* m_list = nullptr;
    DbCombo* m_combo = nullptr;
    QLineEdit* m_other = nullptr;
};

void TestDbCombo::init()
{
    m_site = std::make_unique<Site>(Site::Contents::Empty);
    SiteBuilder::fillLarge(m_site->path(), 0, 0, items);
    m_window = std::make_unique<QWidget>();
    m_list = new DataSource(u"Data4"_s, SiteModel::validationsFile,
        u"select * from Level3 order by ItemDescription"_s, true, m_regional, m_window.get());
    m_list->refresh();
    m_combo = new DbCombo(m_window.get());
    m_combo->setListSource(m_list, u"ItemDescription"_s);
    m_other = new QLineEdit(m_window.get());
    m_other->move(0, 60);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestDbCombo::cleanup()
{
    m_window.reset();
    m_site.reset();
}

QStringList TestDbCombo::allDescriptions() const
{
    QStringList texts;
    for (const QVariantList& row : m_site->sql(SiteModel::validationsFile,
             u"SELECT ItemDescription FROM Level3 ORDER BY ItemDescription, rowid"_s))
        texts << row.at(0).toString();
    return texts;
}

void TestDbCombo::scrollToEnd()
{
    m_combo->showPopup();
    for (int read = -1; read < m_combo->count();) {
        read = m_combo->count();
        m_combo->view()->scrollToBottom();
    }
    m_combo->hidePopup();
}

int TestDbCombo::opened()
{
    m_combo->showPopup();
    const int read = m_combo->count();
    m_combo->hidePopup();
    return read;
}

void TestDbCombo::readsListAsItScrolls()
{
    m_combo->setText(u"kept"_s);
    m_combo->reFill();
    QTest::qWait(50);
    QCOMPARE(m_combo->text(), u"kept"_s);
    // The fill reads nothing; opening the list reads its first window, not the
    // whole table, and keeps the text.
    QCOMPARE(m_combo->count(), 0);
    const int first = opened();
    QVERIFY2(first > 10 && first < items, qPrintable(QString::number(first)));
    QCOMPARE(m_combo->text(), u"kept"_s);
    QCOMPARE(m_combo->currentIndex(), -1);

    scrollToEnd();
    QStringList shown;
    for (int i = 0; i < m_combo->count(); ++i)
        shown << m_combo->itemText(i);
    QCOMPARE(shown, allDescriptions());

    // An unchanged list starts again at its first window; what another program
    // changed is read at the next fill.
    m_list->refresh();
    m_combo->reFill();
    QCOMPARE(opened(), first);
    m_site->sql(SiteModel::validationsFile,
        u"UPDATE Level3 SET ItemDescription = 'A new first' WHERE ItemDescription = ?"_s,
        {shown.constFirst()});
    m_list->refresh();
    m_combo->reFill();
    opened();
    QCOMPARE(m_combo->itemText(0), u"A new first"_s);

    // A new fill starts from the first window again, in the source's new order.
    m_list->setRecordSource(u"select * from Level3 order by ItemDescription desc"_s);
    m_list->refresh();
    m_combo->reFill();
    QCOMPARE(opened(), first);
    QCOMPARE(m_combo->itemText(0), allDescriptions().constLast());
    QCOMPARE(m_combo->text(), u"kept"_s);
}

void TestDbCombo::selectsOnlyWhenWorkerPicks()
{
    m_combo->reFill();
    QSignalSpy selected(m_combo, &DbCombo::selected);
    const int read = opened();

    // The program's settings, of an item not read yet and of one read, and the
    // emptying: shown as set, nothing read, no selection even when the worker
    // passes through the box or presses Enter in it.
    const QString last = allDescriptions().constLast();
    for (const QString& text : {last, m_combo->itemText(3), QString()}) {
        m_combo->setText(text);
        QCOMPARE(m_combo->text(), text);
        m_combo->setFocus();
        QTest::keyClick(m_combo->lineEdit(), Qt::Key_Return);
        m_other->setFocus();
        QCOMPARE(m_combo->count(), read);
        QCOMPARE(selected.count(), 0);
    }

    // A step down with the keyboard from the last text read reads on.
    m_combo->setCurrentIndex(read - 1);
    QTest::keyClick(m_combo, Qt::Key_Down);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(m_combo->text(), allDescriptions().at(read));

    // A pick from the open list, beyond the first window.
    scrollToEnd();
    m_combo->showPopup();
    QAbstractItemView* list = m_combo->view();
    const QModelIndex item = list->model()->index(items - 2, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    QCOMPARE(selected.count(), 2);
    QCOMPARE(m_combo->text(), allDescriptions().at(items - 2));
}

void TestDbCombo::keepsItsTextUntilFirstShown()
{
    // A box that was never shown keeps what the program set through a fill,
    // and shows it, read-only and with nothing chosen, once it is shown; its
    // open list takes the font it was given while hidden.
    auto* later = new DbCombo(m_window.get());
    later->setFont(QFont(u"Liberation Sans"_s, 17));
    later->setListSource(m_list, u"ItemDescription"_s);
    later->setText(u"set while hidden"_s);
    later->reFill();
    QCOMPARE(later->text(), u"set while hidden"_s);
    later->show();
    QVERIFY(later->lineEdit());
    QCOMPARE(later->lineEdit()->text(), u"set while hidden"_s);
    QVERIFY(later->lineEdit()->isReadOnly());
    QCOMPARE(later->currentIndex(), -1);
    QCOMPARE(later->view()->font().pointSize(), 17);
    // Shown, it still reads nothing until the worker steps into the list.
    QCOMPARE(later->count(), 0);
    QSignalSpy selected(later, &DbCombo::selected);
    QTest::keyClick(later, Qt::Key_Down);
    QVERIFY2(
        later->count() > 10 && later->count() < items, qPrintable(QString::number(later->count())));
    QCOMPARE(later->text(), allDescriptions().constFirst());
    QCOMPARE(selected.count(), 1);
}

QTEST_MAIN(TestDbCombo)
#include "tst_dbcombo.moc"
