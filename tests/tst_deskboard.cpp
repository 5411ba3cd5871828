#include "TestServices.h"
#include "desk/BoardFilter.h"
#include "desk/PunchTableModel.h"

#include <QIcon>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

// The board's model and its filter, on punches made up here: the rows change
// in place as the punches do, and the supervisor narrows and orders them and
// reads their totals.
class TestDeskBoard : public QObject
{
    Q_OBJECT

private slots:
    void refreshChangesRowsInPlace_data();
    void refreshChangesRowsInPlace();
    void openTimesTickAndFlagPastAShift();
    void filterByItemAndNameOrBadge_data();
    void filterByItemAndNameOrBadge();
    void sortsByValuesNotTexts();

private:
    TestServices m_services; // the clock says 2004-02-26 14:05:07
};

namespace {

// A punch named by a letter: worker, badge and department follow from it;
// the worker's department 10 works in Assembly, 20 in Paint Shop, any other in
// Shipping.
Punch punch(QChar id, const QDateTime& started = QDateTime(QDate(2004, 2, 26), QTime(8, 0)),
    int department = 10)
{
    Punch made;
    made.punchId = QString(id);
    made.badge = u"00012"_s + id;
    made.values = {{u"Name"_s, u"Worker "_s + id}, {u"Badge"_s, u"Open"_s},
        {u"DateWorked"_s, started.date()}, {u"TimeStart"_s, started.time()},
        {u"TimeStop"_s, started.time()}, {u"DeptNum"_s, qlonglong(department)},
        {u"Level1Description"_s, u"Department"_s},
        {u"Level1ItemDescription"_s,
            department == 10       ? u"Assembly"_s
                : department == 20 ? u"Paint Shop"_s
                                   : u"Shipping"_s}};
    for (const QString& field : Punch::fields())
        made.stored << made.values.value(field);
    return made;
}

QList<Punch> punches(const QString& ids)
{
    QList<Punch> list;
    for (const QChar id : ids)
        list << punch(id);
    return list;
}

QString shown(const QAbstractItemModel& model)
{
    QString ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids += model.index(row, PunchTableModel::NameColumn).data().toString().back();
    return ids;
}

} // namespace

void TestDeskBoard::refreshChangesRowsInPlace_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("changed"); // punches whose fields change
    QTest::addColumn<QString>("shownAfter"); // the model's order
    QTest::addColumn<int>("removals"); // runs of rows removed
    QTest::addColumn<int>("insertions");
    QTest::addColumn<int>("updates");

    QTest::newRow("the same punches")
        << u"abc"_s << u"abc"_s << QString() << u"abc"_s << 0 << 0 << 0;
    QTest::newRow("one started") << u"abc"_s << u"abcd"_s << QString() << u"abcd"_s << 0 << 1 << 0;
    QTest::newRow("one ended") << u"abc"_s << u"ac"_s << QString() << u"ac"_s << 1 << 0 << 0;
    QTest::newRow("two ended apart, three started")
        << u"abcde"_s << u"bdxyz"_s << QString() << u"bdxyz"_s << 3 << 1 << 0;
    QTest::newRow("a run ended") << u"abcde"_s << u"ae"_s << QString() << u"ae"_s << 1 << 0 << 0;
    QTest::newRow("one corrected") << u"abc"_s << u"abc"_s << u"b"_s << u"abc"_s << 0 << 0 << 1;
    QTest::newRow("read in another order")
        << u"abc"_s << u"cba"_s << QString() << u"abc"_s << 0 << 0 << 0;
    QTest::newRow("all ended") << u"abc"_s << QString() << QString() << QString() << 1 << 0 << 0;
}

void TestDeskBoard::refreshChangesRowsInPlace()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, changed);
    QFETCH(QString, shownAfter);
    QFETCH(int, removals);
    QFETCH(int, insertions);
    QFETCH(int, updates);

    PunchTableModel model(
        PunchTableModel::Kind::OpenJobs, m_services.regional, m_services.clock, 8 * 3600);
    model.refresh(punches(before));
    const QPersistentModelIndex kept = model.index(0, PunchTableModel::NameColumn);
    const QString keptName = kept.data().toString();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy updated(&model, &QAbstractItemModel::dataChanged);

    QList<Punch> next = punches(after);
    for (Punch& punch : next) {
        if (changed.contains(punch.punchId)) {
            punch.values.insert(u"TimeStart"_s, QTime(7, 0));
            punch.stored[Punch::fields().indexOf(u"TimeStart"_s)] = QTime(7, 0);
        }
    }
    model.refresh(next);

    QCOMPARE(shown(model), shownAfter);
    QCOMPARE(resets.size(), 0);
    QCOMPARE(removed.size(), removals);
    QCOMPARE(inserted.size(), insertions);
    QCOMPARE(updated.size(), updates);
    if (after.contains(before.front()))
        QCOMPARE(kept.data().toString(), keptName); // a view's selection stays on its punch
    for (const QChar id : changed)
        QCOMPARE(model.index(model.rowOf(id), PunchTableModel::StartedColumn).data().toString(),
            u"02/26/2004 7:00:00 AM"_s);
}

void TestDeskBoard::openTimesTickAndFlagPastAShift()
{
    PunchTableModel model(
        PunchTableModel::Kind::OpenJobs, m_services.regional, m_services.clock, 6 * 3600);
    // Open 6:05 (past a 6-hour shift) and 0:05.
    model.refresh({punch(u'a'), punch(u'b', QDateTime(QDate(2004, 2, 26), QTime(14, 0)))});
    const auto openFor = [&](int row) {
        return model.index(row, PunchTableModel::OpenForColumn).data().toString();
    };
    const auto flagged = [&](int row) {
        return model.index(row, PunchTableModel::NameColumn)
            .data(PunchTableModel::FlaggedRole)
            .toBool();
    };
    QCOMPARE(openFor(0), u"6 h 05 min"_s);
    QVERIFY(flagged(0));
    QVERIFY(model.index(0, 0).data(Qt::BackgroundRole).isValid());
    // The flag's mark shows on a selected row too, where its colour does not.
    QVERIFY(!model.index(0, PunchTableModel::OpenForColumn)
                 .data(Qt::DecorationRole)
                 .value<QIcon>()
                 .isNull());
    QCOMPARE(openFor(1), u"0 h 05 min"_s);
    QVERIFY(!flagged(1));
    QVERIFY(!model.index(1, PunchTableModel::OpenForColumn).data(Qt::DecorationRole).isValid());
    const PunchTableModel::Totals totals = model.totals({0, 1});
    QCOMPARE(totals.jobs, 2);
    QCOMPARE(totals.overShift, 1);
    QCOMPARE(totals.seconds, qint64((6 * 60 + 5 + 5) * 60 + 14));

    QSignalSpy updated(&model, &QAbstractItemModel::dataChanged);
    model.tick();
    QCOMPARE(updated.size(), 1);
    m_services.clock.advance(30); // 14:05:37: the same minute, nothing to show anew
    model.tick();
    QCOMPARE(updated.size(), 1);
    m_services.clock.advance(5 * 3600 + 54 * 60 + 23); // 20:00:00
    model.tick();
    QCOMPARE(updated.size(), 2);
    QCOMPARE(openFor(0), u"12 h 00 min"_s);
    QCOMPARE(openFor(1), u"6 h 00 min"_s);
    QVERIFY(!flagged(1)); // exactly a shift is not longer than one
    m_services.clock.advance(1);
    QVERIFY(flagged(1));
    // Jobs open for days count their hours on.
    m_services.clock.advance(2 * 24 * 3600);
    QCOMPARE(openFor(0), u"60 h 00 min"_s);
}

void TestDeskBoard::filterByItemAndNameOrBadge_data()
{
    QTest::addColumn<QString>("item"); // of level 1
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("everyone") << QString() << QString() << u"abcd"_s;
    QTest::newRow("one item") << u"Paint Shop"_s << QString() << u"bd"_s;
    QTest::newRow("by name, any case") << QString() << u"worker C"_s << u"c"_s;
    QTest::newRow("by badge") << QString() << u" 00012d "_s << u"d"_s;
    QTest::newRow("both") << u"assembly"_s << u"00012"_s << u"ac"_s;
    QTest::newRow("nobody") << u"Paint Shop"_s << u"worker a"_s << QString();
}

void TestDeskBoard::filterByItemAndNameOrBadge()
{
    QFETCH(QString, item);
    QFETCH(QString, text);
    QFETCH(QString, shown);

    PunchTableModel model(
        PunchTableModel::Kind::OpenJobs, m_services.regional, m_services.clock, 8 * 3600);
    BoardFilter filter(model);
    const QDateTime start(QDate(2004, 2, 26), QTime(8, 0));
    model.refresh({punch(u'a', start, 10), punch(u'b', start, 20), punch(u'c', start, 10),
        punch(u'd', start, 20)});
    filter.setLevel1Item(item);
    filter.setText(text);
    QCOMPARE(::shown(filter), shown);
    // The totals are those of the rows shown.
    QCOMPARE(filter.totals().jobs, int(shown.size()));
    QCOMPARE(filter.shown().size(), shown.size());
    // A punch started meanwhile is filtered as it arrives.
    model.refresh({punch(u'a', start, 10), punch(u'b', start, 20), punch(u'c', start, 10),
        punch(u'd', start, 20), punch(u'e', start, 30)});
    QCOMPARE(::shown(filter), item.isEmpty() && text.isEmpty() ? u"abcde"_s : shown);
}

void TestDeskBoard::sortsByValuesNotTexts()
{
    PunchTableModel model(
        PunchTableModel::Kind::OpenJobs, m_services.regional, m_services.clock, 8 * 3600);
    BoardFilter filter(model);
    // Open 10:05, 2:05 and 30:05: as texts "10:05" would sort before "2:05".
    model.refresh({punch(u'a', QDateTime(QDate(2004, 2, 26), QTime(4, 0)), 9),
        punch(u'b', QDateTime(QDate(2004, 2, 26), QTime(12, 0)), 100),
        punch(u'c', QDateTime(QDate(2004, 2, 25), QTime(8, 0)), 20)});
    filter.sort(PunchTableModel::OpenForColumn, Qt::DescendingOrder);
    QCOMPARE(shown(filter), u"cab"_s);
    filter.sort(PunchTableModel::DepartmentColumn, Qt::AscendingOrder);
    QCOMPARE(shown(filter), u"acb"_s);
    filter.sort(PunchTableModel::StartedColumn, Qt::AscendingOrder);
    QCOMPARE(shown(filter), u"cab"_s);
}

QTEST_MAIN(TestDeskBoard)
#include "tst_deskboard.moc"
