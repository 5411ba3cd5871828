#include "DbCombo.h"

#include "data/DataError.h"
#include "data/DataSource.h"

#include <QAbstractListModel>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScopeGuard>

// The texts of one field of a data source's rows, in the source's order. It
// holds the rows read so far and reads the next window when a view scrolls to
// the end of them.
class FieldListModel : public QAbstractListModel
{
public:
    // More than an open list shows, so that one read fills it.
    static constexpr int window = 100;

    using QAbstractListModel::QAbstractListModel;

    void setSource(DataSource* source, const QString& field)
    {
        m_source = source;
        m_field = field;
        m_stamp.clear();
    }

    // The list is read again, from its first window, when it is next looked
    // at; until then it reads nothing.
    void reload() { m_readPending = true; }

    bool readPending() const { return m_readPending; }

    // Reads the list again now.
    void readAgain()
    {
        m_readPending = false;
        try {
            read();
        } catch (const DataError&) {
            // A list that cannot be read is empty, until it is read anew.
            m_stamp.clear();
            m_more = false;
            if (!m_texts.isEmpty()) {
                beginResetModel();
                m_texts.clear();
                endResetModel();
            }
        }
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_texts.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_texts.size()
            || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return m_texts.at(index.row());
    }

    bool canFetchMore(const QModelIndex& parent) const override
    {
        return !parent.isValid() && m_more && m_fetching;
    }

    // While off, the list reads no further however it is asked.
    void setFetching(bool on) { m_fetching = on; }

    void fetchMore(const QModelIndex& parent) override
    {
        if (!canFetchMore(parent))
            return;
        const qsizetype first = m_texts.size();
        QStringList texts;
        try {
            texts = m_source->windowTexts(m_field, first, window);
        } catch (const DataError&) {
            // A list that cannot be read further ends where it is, until it is read anew.
            m_more = false;
            m_stamp.clear();
            return;
        }
        m_more = texts.size() == window;
        if (texts.isEmpty())
            return;
        beginInsertRows({}, static_cast<int>(first), static_cast<int>(first + texts.size() - 1));
        m_texts += texts;
        endInsertRows();
    }

private:
    // The first window of the list; the rows read stay while the source holds
    // the same rows.
    void read()
    {
        const QString stamp = m_source ? m_source->contentStamp() : QString();
        if (!stamp.isEmpty() && stamp == m_stamp) {
            // Rows read further down are let go, as a new read would.
            if (m_texts.size() > window) {
                beginRemoveRows({}, window, static_cast<int>(m_texts.size() - 1));
                m_texts.resize(window);
                m_more = true;
                endRemoveRows();
            }
            return;
        }
        beginResetModel();
        const auto reset = qScopeGuard([this] { endResetModel(); });
        m_texts.clear();
        m_more = false;
        m_stamp.clear();
        if (m_source) {
            m_texts = m_source->windowTexts(m_field, 0, window);
            m_more = m_texts.size() == window;
            m_stamp = stamp;
        }
    }

    DataSource* m_source = nullptr;
    QString m_field;
    QStringList m_texts;
    bool m_more = false;
    bool m_fetching = true;
    bool m_readPending = false;
    QString m_stamp; // of the source when the rows were read
};

DbCombo::DbCombo(QWidget* parent)
    : QComboBox(parent)
    , m_list(new FieldListModel(this))
{
    setModel(m_list);
    connect(this, &QComboBox::activated, this, [this] { emit selected(); });
}

void DbCombo::showEvent(QShowEvent* event)
{
    becomeEditable();
    QComboBox::showEvent(event);
}

void DbCombo::changeEvent(QEvent* event)
{
    // Until the box is first shown its font only waits: the list view, made
    // when the box becomes editable, takes it then.
    if (event->type() == QEvent::FontChange && !isEditable()) {
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}

void DbCombo::becomeEditable()
{
    if (isEditable())
        return;
    const QSignalBlocker blocker(this);
    // Nothing is typed, so nothing is completed: the completer the box makes
    // would read the whole list, so the list reads nothing until it is gone.
    m_list->setFetching(false);
    setEditable(true);
    delete lineEdit()->completer();
    m_list->setFetching(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setReadOnly(true);
    // Only a pick from the list selects; leaving the box or Enter does not
    // look its text up in the list.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    // One line of one font each: the open list places its items without measuring each.
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(true);
    setCurrentIndex(-1);
    setEditText(std::exchange(m_hiddenText, QString()));
}

void DbCombo::setListSource(DataSource* source, const QString& listField)
{
    m_list->setSource(source, listField);
}

void DbCombo::reFill()
{
    m_list->reload();
}

void DbCombo::readList()
{
    if (!m_list->readPending())
        return;
    // The text stays as it was, with nothing chosen: a new list would choose its first item.
    const QString kept = text();
    const QSignalBlocker blocker(this);
    m_list->readAgain();
    setCurrentIndex(-1);
    setEditText(kept);
    // A list read anew opens at its top, wherever the last one was left.
    view()->scrollToTop();
}

QString DbCombo::text() const
{
    return isEditable() ? currentText() : m_hiddenText;
}

void DbCombo::setText(const QString& text)
{
    if (!isEditable()) {
        m_hiddenText = text;
        return;
    }
    setCurrentIndex(-1);
    setEditText(text);
}

void DbCombo::showPopup()
{
    readList();
    QComboBox::showPopup();
}

void DbCombo::readAheadOfStep()
{
    if (currentIndex() == count() - 1 && m_list->canFetchMore({}))
        m_list->fetchMore({});
}

void DbCombo::keyPressEvent(QKeyEvent* event)
{
    // A key may step through the list, and the wheel does.
    readList();
    if ((event->key() == Qt::Key_Down || event->key() == Qt::Key_PageDown)
        && !event->modifiers().testFlag(Qt::AltModifier))
        readAheadOfStep();
    QComboBox::keyPressEvent(event);
}

void DbCombo::wheelEvent(QWheelEvent* event)
{
    readList();
    if (event->angleDelta().y() < 0)
        readAheadOfStep();
    QComboBox::wheelEvent(event);
}
