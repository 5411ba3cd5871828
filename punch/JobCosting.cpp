#include "JobCosting.h"

#include "Attempt.h"
#include "Module1.h"
#include "PunchTexts.h"
#include "ReaderSuffix.h"
#include "data/DataSource.h"
#include "data/DatabaseFile.h"
#include "data/SiteModel.h"
#include "startup/DateCheck.h"
#include "startup/SiteCheck.h"
#include "ui/DbCombo.h"
#include "ui/Dialogs.h"
#include "ui/FixedDialogFrame.h"
#include "ui/FormMetrics.h"
#include "ui/HiddenBox.h"
#include "ui/PictureButton.h"

// The pictures are built in, as arrays that Qt reads without a picture decoder.
#include "resources/button.h"
#include "resources/jobcosting.xpm"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QWindow>

namespace {

const QString msSansSerif = QStringLiteral("MS Sans Serif");
const QString arial = QStringLiteral("Arial");
const QString arialNarrow = QStringLiteral("Arial Narrow");

using FormMetrics::setColour;
using FormMetrics::setFontWhenShown;

const QColor grey(224, 224, 224);
const QColor teal(0, 128, 128);
const QColor maroon(128, 0, 0);

// The most a line edit takes.
constexpr int anyLength = 32767;

// Places a control by its design in twips, measured from the inner area of its holder.
template<typename Control>
Control* place(Control* control, const QString& name, int left, int top, int width, int height)
{
    control->setObjectName(name);
    QRect geometry = FormMetrics::rect(left, top, width, height);
    if (const auto* frame = qobject_cast<const QFrame*>(control->parentWidget()))
        geometry.translate(frame->frameWidth(), frame->frameWidth());
    control->setGeometry(geometry);
    return control;
}

QLabel* label(QWidget* holder, const QString& name, const QString& caption, int left, int top,
    int width, int height, const QFont& font)
{
    auto* control = place(new QLabel(caption, holder), name, left, top, width, height);
    control->setFont(font);
    return control;
}

QLineEdit* textBox(QWidget* holder, const QString& name, int left, int top, int width, int height,
    const QFont& font, int maxLength)
{
    auto* box = place(new QLineEdit(holder), name, left, top, width, height);
    setFontWhenShown(box, font);
    box->setMaxLength(maxLength);
    setColour(box, QPalette::Base, Qt::white);
    setColour(box, QPalette::Text, Qt::black);
    return box;
}

QFrame* frame(QWidget* holder, const QString& name, int left, int top, int width, int height)
{
    auto* picture = new QFrame(holder);
    picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    picture->setAutoFillBackground(true);
    setColour(picture, QPalette::Window, grey);
    return place(picture, name, left, top, width, height);
}

DbCombo* pullDown(QWidget* holder, const QString& name, int left, int top)
{
    auto* combo = place(new DbCombo(holder), name, left, top, 4695, 345);
    combo->setFont(FormMetrics::font(arial, 9));
    return combo;
}

PictureButton* button(QWidget* holder, const QString& name, int left, int width)
{
    static const QPixmap picture = QPixmap::fromImage(
        QImage(buttonShades, int(std::size(buttonShades)), 1, QImage::Format_Grayscale8));
    auto* control = place(new PictureButton(picture, holder), name, left, 4920, width, 735);
    control->setFont(FormMetrics::font(arialNarrow, 14.25, true));
    return control;
}

} // namespace

JobCosting::JobCosting(const Services& services, Module1& module, QWidget* parent)
    : QWidget(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
            | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_services(services)
    , m_module(module)
    , m_readerSuffix(new ReaderSuffix(this))
{
    setObjectName(QStringLiteral("JobCosting"));
    setWindowTitle(tr("Job Costing "));
    setWindowIcon(QIcon(QPixmap(jobCostingIcon)));
    setFont(FormMetrics::font(msSansSerif, 12, true));
    setAutoFillBackground(true);
    setColour(this, QPalette::Window, grey);
    setFixedSize(FormMetrics::size(7260, 5835));

    createControls();
    createDataSources();
    bindControls();
    setTabOrder();

    m_levels = {{
        {Label10, Text3, DBCombo1, Data5, Text13, Text6, Text28, Text36},
        {Label11, Text4, DBCombo2, Data6, Text14, Text7, Text30, Text37},
        {Label13, Text5, DBCombo3, Data7, Text15, Text8, Text32, Text38},
    }};

    connect(Text34, &QLineEdit::textChanged, this, [this] { Text34_Change(); });
    connect(Text34, &QLineEdit::returnPressed, this, [this] { Text34_KeyPress(); });
    for (int number = 1; number <= 3; ++number) {
        const Level& controls = level(number);
        connect(controls.code, &QLineEdit::textChanged, this,
            [this, number] { ItemCode_Change(number); });
        connect(controls.code, &QLineEdit::returnPressed, this,
            [this, number] { ItemCode_KeyPress(number); });
        connect(controls.description, &DbCombo::selected, this,
            [this, number] { DBCombo_Click(number); });
        controls.code->installEventFilter(this);
    }
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    Text34->installEventFilter(this);
    Command3->installEventFilter(this);
    DBCombo1->installEventFilter(this);
    // Labels fit their caption when they are shown: a caption never seen is
    // never measured, and its font never loaded.
    for (QLabel* label : {Label4, Label2, Label3, Label5, Label1, Label10, Label11, Label13})
        label->installEventFilter(this);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

JobCosting::~JobCosting()
{
    delete m_dateCheck;
}

void JobCosting::createControls()
{
    const QFont arialNarrowBold12 = FormMetrics::font(arialNarrow, 12, true);
    const QFont arialNarrowBold14 = FormMetrics::font(arialNarrow, 14.25, true);
    const QFont arial9 = FormMetrics::font(arial, 9);

    Label4 = label(this, QStringLiteral("Label4"), tr("Date"), 4680, 120, 435, 240,
        FormMetrics::font(msSansSerif, 9.75));
    Label2 = label(this, QStringLiteral("Label2"), PunchTexts::entryPrompt(), 360, 240, 4650, 285,
        FormMetrics::font(arial, 12, true));
    setColour(Label2, QPalette::WindowText, maroon);
    Label3 = label(
        this, QStringLiteral("Label3"), tr("Badge #"), 960, 720, 930, 345, arialNarrowBold14);
    setColour(Label3, QPalette::WindowText, teal);
    Text34 = textBox(this, QStringLiteral("Text34"), 1920, 720, 975, 360,
        FormMetrics::font(msSansSerif, 9.75, true), 6);
    Text34->setToolTip(tr("Enter your Badge number"));
    Label5 = label(this, QStringLiteral("Label5"), QStringLiteral("Label5"), 3120, 720, 765, 345,
        arialNarrowBold14);
    setColour(Label5, QPalette::WindowText, teal);

    Picture1 = frame(this, QStringLiteral("Picture1"), 360, 1320, 6615, 3495);
    Picture1->hide();
    Label1 = label(Picture1, QStringLiteral("Label1"), tr("Select your Job information:"), 120, 0,
        2655, 300, arialNarrowBold12);
    setColour(Label1, QPalette::WindowText, teal);
    Label10 = label(Picture1, QStringLiteral("Label10"), QStringLiteral("Label10"), 120, 360, 720,
        300, arialNarrowBold12);
    Picture2 = frame(Picture1, QStringLiteral("Picture2"), 120, 680, 6255, 550);
    Label11 = label(Picture1, QStringLiteral("Label11"), QStringLiteral("Label11"), 120, 1320, 720,
        300, arialNarrowBold12);
    Picture3 = frame(Picture1, QStringLiteral("Picture3"), 120, 1680, 6255, 615);
    Text4 = textBox(Picture3, QStringLiteral("Text4"), 120, 130, 1095, 285, arial9, 10);
    DBCombo2 = pullDown(Picture3, QStringLiteral("DBCombo2"), 1440, 120);
    Label13 = label(Picture1, QStringLiteral("Label13"), QStringLiteral("Label12"), 120, 2400, 720,
        300, arialNarrowBold12);

    // Level 1 and level 3 lie on the window, above the job panel. The level-1
    // code takes any length: the lookup sees the whole code, so a scanned code
    // longer than any in the table is refused, not cut down to another item's.
    Text3 = textBox(this, QStringLiteral("Text3"), 680, 2160, 1095, 285, arial9, anyLength);
    Text3->setEnabled(false);
    DBCombo1 = pullDown(this, QStringLiteral("DBCombo1"), 1920, 2160);
    Picture4 = frame(this, QStringLiteral("Picture4"), 480, 4080, 6255, 615);
    Text5 = textBox(Picture4, QStringLiteral("Text5"), 130, 130, 1095, 285, arial9, 10);
    DBCombo3 = pullDown(Picture4, QStringLiteral("DBCombo3"), 1440, 120);

    Command1 = button(this, QStringLiteral("Command1"), 360, 1935);
    Command2 = button(this, QStringLiteral("Command2"), 2760, 1815);
    Command3 = button(this, QStringLiteral("Command3"), 5160, 1815);
    setCaption(Command1, QT_TR_NOOP("Start Job"));
    setCaption(Command2, QT_TR_NOOP("End Job"));
    setCaption(Command3, QT_TR_NOOP("Exit"));

    HiddenBox** hidden[] = {&Text1, &Text2, &Text6, &Text7, &Text8, &Text9, &Text10, &Text11,
        &Text12, &Text13, &Text14, &Text15, &Text16, &Text17, &Text18, &Text19, &Text20, &Text21,
        &Text22, &Text23, &Text24, &Text25, &Text26, &Text27, &Text28, &Text29, &Text30, &Text31,
        &Text32, &Text33, &Text35, &Text36, &Text37, &Text38};
    static const int numbers[] = {1, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
        22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 35, 36, 37, 38};
    for (std::size_t i = 0; i < std::size(hidden); ++i)
        *hidden[i] = new HiddenBox(this, QStringLiteral("Text%1").arg(numbers[i]));
}

void JobCosting::createDataSources()
{
    using namespace SiteModel;
    const RegionalSettings& regional = m_services.regional;
    Data1 = new DataSource(
        QStringLiteral("Data1"), jobPunchesFile, jobPunches, false, regional, this);
    Data2 = new DataSource(
        QStringLiteral("Data2"), validationsFile, levelTable(1), true, regional, this);
    Data3 = new DataSource(
        QStringLiteral("Data3"), validationsFile, levelTable(2), true, regional, this);
    Data4 = new DataSource(
        QStringLiteral("Data4"), validationsFile, levelTable(3), true, regional, this);
    Data5 = new DataSource(
        QStringLiteral("Data5"), validationsFile, levelTable(1), true, regional, this);
    Data6 = new DataSource(
        QStringLiteral("Data6"), validationsFile, levelTable(2), true, regional, this);
    Data7 = new DataSource(
        QStringLiteral("Data7"), validationsFile, levelTable(3), true, regional, this);
    Data8
        = new DataSource(QStringLiteral("Data8"), timeClockFile, employees, false, regional, this);
}

void JobCosting::bindControls()
{
    const auto bindBox = [](DataSource* source, const QString& field, HiddenBox* box) {
        source->bind(field, box, [box](const QString& text) { box->setText(text); });
    };
    const auto bindLabel = [this](DataSource* source, const QString& field, QLabel* label) {
        source->bind(field, label, [this, label](const QString& text) { setCaption(label, text); });
    };

    const std::pair<QString, HiddenBox*> punchBoxes[] = {
        {QStringLiteral("Name"), Text1},
        {QStringLiteral("Badge"), Text2},
        {QStringLiteral("DateWorked"), Text12},
        {QStringLiteral("TimeStart"), Text16},
        {QStringLiteral("TimeStop"), Text17},
        {QStringLiteral("Level1Description"), Text18},
        {QStringLiteral("Level1ItemCode"), Text19},
        {QStringLiteral("Level1ItemDescription"), Text20},
        {QStringLiteral("Level2Description"), Text21},
        {QStringLiteral("Level2ItemCode"), Text22},
        {QStringLiteral("Level2ItemDescription"), Text23},
        {QStringLiteral("Level3Description"), Text24},
        {QStringLiteral("Level3ItemCode"), Text25},
        {QStringLiteral("Level3ItemDescription"), Text26},
        {QStringLiteral("Pieces"), Text27},
    };
    for (const auto& [field, box] : punchBoxes)
        bindBox(Data1, field, box);

    const QString itemCode = QStringLiteral("ItemCode");
    const QString itemDescription = QStringLiteral("ItemDescription");
    const QString levelDescription = QStringLiteral("LevelDescription");
    const QString standardCost = QStringLiteral("StandardCost");
    const QString bonusRate = QStringLiteral("BonusRate");

    bindBox(Data2, itemCode, Text9);
    bindLabel(Data2, levelDescription, Label10);
    DBCombo1->setListSource(Data2, itemDescription);
    bindBox(Data3, itemCode, Text10);
    bindLabel(Data3, levelDescription, Label11);
    DBCombo2->setListSource(Data3, itemDescription);
    bindBox(Data4, itemCode, Text11);
    bindLabel(Data4, levelDescription, Label13);
    DBCombo3->setListSource(Data4, itemDescription);

    const std::tuple<DataSource*, HiddenBox*, HiddenBox*, HiddenBox*, HiddenBox*, HiddenBox*>
        items[] = {
            {Data5, Text13, Text6, Text28, Text29, Text36},
            {Data6, Text14, Text7, Text30, Text31, Text37},
            {Data7, Text15, Text8, Text32, Text33, Text38},
        };
    for (const auto& [source, code, description, cost, rate, rateAgain] : items) {
        bindBox(source, itemCode, code);
        bindBox(source, itemDescription, description);
        bindBox(source, standardCost, cost);
        bindBox(source, bonusRate, rate);
        bindBox(source, bonusRate, rateAgain);
    }

    bindBox(Data8, QStringLiteral("NAME"), Text35);
}

void JobCosting::setTabOrder()
{
    // Labels and frames take no focus; they keep their place in the design only.
    m_tabOrder
        = {Text3, DBCombo1, Command1, Command2, Command3, Text4, Text5, DBCombo3, DBCombo2, Text34};
    for (qsizetype i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder.at(i - 1), m_tabOrder.at(i));
}

void JobCosting::load()
{
    if (!checkSiteFiles(m_services, m_siteFiles)) {
        m_ended = true;
        return;
    }
    Form_Load();
    // What can refuse the start has been done: the rest waits for the window
    // to be shown.
    m_restPending = !m_ended;
}

void JobCosting::loadRest()
{
    if (!std::exchange(m_restPending, false))
        return;
    refreshLevelLists();
    for (DataSource* source : {Data1, Data5, Data6, Data7, Data8})
        attempt([source] { source->refresh(); });
    m_siteFiles.clear();
}

void JobCosting::refreshLevelLists()
{
    // A level table that cannot be opened shows no title, as an empty one does,
    // so that the level counts as not in use everywhere: a missing Level1 table
    // stops the program, a missing Level2 or Level3 table hides its level.
    m_levelOneFailure.clear();
    for (const auto& [source, title] :
        {std::pair {Data2, Label10}, std::pair {Data3, Label11}, std::pair {Data4, Label13}}) {
        try {
            source->refresh();
        } catch (const DataError& error) {
            setCaption(title, QString());
            if (source == Data2)
                m_levelOneFailure = error.shown();
        } catch (const std::exception& error) {
            setCaption(title, QString());
            if (source == Data2)
                m_levelOneFailure = QString::fromUtf8(error.what());
        }
    }
    for (DbCombo* combo : {DBCombo1, DBCombo2, DBCombo3})
        combo->reFill();
}

void JobCosting::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown || m_ended)
        return;
    m_shown = true;
    // The start goes on while the window system maps the window, and is done
    // at the latest when it asks for the first paint.
    if (QWindow* window = windowHandle()) {
        askForFixedDialogFrame(window);
        window->installEventFilter(this);
        QMetaObject::invokeMethod(this, &JobCosting::whileMapped, Qt::QueuedConnection);
    } else {
        whileMapped();
    }
}

void JobCosting::whileMapped()
{
    if (std::exchange(m_mapped, true) || m_ended)
        return;
    loadRest();
    fitShownCaptions();
    // The first focus goes to the first control in tab order that can take it,
    // and its focus handler runs before the first paint. The window system's
    // focus-in comes only when the window is activated (on X11 when the window
    // manager activates it), too late for the paint step, so the handler runs now.
    for (QWidget* control : std::as_const(m_tabOrder)) {
        if (control->isVisibleTo(this) && control->isEnabled()) {
            control->setFocus(Qt::TabFocusReason);
            if (!control->hasFocus())
                focusGained(control);
            break;
        }
    }
    Form_Paint();
}

void JobCosting::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        prepareSavesWhenReady();
}

void JobCosting::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!std::exchange(m_painted, true))
        prepareSavesWhenReady();
}

void JobCosting::prepareSavesWhenReady()
{
    // Ready when painted and active: the set-up comes after what start-to-ready
    // waits for, and before the worker's first save.
    if (m_painted && isActiveWindow() && !m_ended && !std::exchange(m_savesPrepared, true))
        QMetaObject::invokeMethod(
            this, [this] { attempt([this] { Data1->prepareWrites(); }); }, Qt::QueuedConnection);
}

void JobCosting::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Terminate();
}

void JobCosting::focusGained(QObject* control)
{
    if (control == Text34)
        Text34_GotFocus();
    else if (control == Command3)
        Command3_GotFocus();
    else if (control == DBCombo1)
        Form_Paint();
    for (int number = 1; number <= 3; ++number) {
        if (control == level(number).code)
            ItemCode_GotFocus(number);
    }
}

bool JobCosting::eventFilter(QObject* watched, QEvent* event)
{
    if (m_ended)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Show) {
        if (auto* label = qobject_cast<QLabel*>(watched))
            fitWhenShown(label);
    } else if (event->type() == QEvent::Expose && watched == windowHandle()) {
        whileMapped();
        watched->removeEventFilter(this);
    } else if (event->type() == QEvent::FocusIn) {
        focusGained(watched);
    } else if (event->type() == QEvent::FocusOut) {
        for (int number = 1; number <= 3; ++number) {
            if (watched == level(number).code)
                ItemCode_LostFocus(number);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void JobCosting::fitShownCaptions()
{
    m_captionsFitted = true;
    for (const QPointer<QLabel>& label : std::exchange(m_captionsToFit, {})) {
        if (label && label->isVisible())
            fitCaption(label);
    }
}

void JobCosting::setCaption(QLabel* label, const QString& caption)
{
    label->setText(caption);
    m_captionsSet.insert(label);
    if (label->isVisible())
        fitWhenShown(label);
}

void JobCosting::fitWhenShown(QLabel* label)
{
    if (m_captionsFitted)
        fitCaption(label);
    else if (!m_captionsToFit.contains(label))
        m_captionsToFit << label;
}

void JobCosting::setCaption(PictureButton* button, const char* caption)
{
    button->setCaption(QLatin1String(caption), tr(caption));
}

void JobCosting::fitCaption(QLabel* label)
{
    if (!m_captionsSet.contains(label)) {
        label->resize(label->size().expandedTo(label->sizeHint()));
        return;
    }
    // An empty caption takes no width; its height is left as it is, since
    // nothing of it is drawn.
    if (label->text().isEmpty()) {
        label->resize(0, label->height());
        return;
    }
    // A label keeps its font, so the size a caption needs is measured once.
    std::pair<const QLabel*, QString> key {label, label->text()};
    if (const QSize* fitted = m_captionSizes.object(key)) {
        label->resize(*fitted);
        return;
    }
    label->adjustSize();
    m_captionSizes.insert(std::move(key), new QSize(label->size()));
}

void JobCosting::showDataError(const QString& what, const QString& reason)
{
    m_services.dialogs.stop(PunchTexts::instructionTitle(), what + QLatin1Char('\n') + reason);
}
