#pragma once

#include "program/Program.h"
#include "program/Services.h"

#include <QCache>
#include <QPointer>
#include <QSet>
#include <QSize>
#include <QWidget>
#include <array>
#include <memory>

class DatabaseFile;
class DataSource;
class DateCheck;
class DbCombo;
class HiddenBox;
class PictureButton;
class ReaderSuffix;
struct Module1;
class QFrame;
class QLabel;
class QLineEdit;

// The punch screen: badge entry, job selection, Start Job and End Job.
//
// The handlers keep the names of the events they answer (Text34_Change,
// Command1_Click, ...). Several of them rely on a write to a text box running
// that box's change handler at once, nested, before the write returns.
class JobCosting : public QWidget
{
    Q_OBJECT

public:
    JobCosting(const Services& services, Module1& module, QWidget* parent = nullptr);
    ~JobCosting() override;

    // Opens the data sources and runs the load step, which first runs the
    // short-date check.
    void load();

    // Visible controls.
    QLabel* Label4;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* Text34;
    QLabel* Label5;
    QFrame* Picture1;
    QLabel* Label1;
    QLabel* Label10;
    QFrame* Picture2;
    QLabel* Label11;
    QFrame* Picture3;
    QLineEdit* Text4;
    DbCombo* DBCombo2;
    QLabel* Label13;
    QLineEdit* Text3;
    DbCombo* DBCombo1;
    QFrame* Picture4;
    QLineEdit* Text5;
    DbCombo* DBCombo3;
    PictureButton* Command1;
    PictureButton* Command2;
    PictureButton* Command3;

    // Hidden read-outs of the data sources' current rows.
    HiddenBox* Text1;
    HiddenBox* Text2;
    HiddenBox* Text6;
    HiddenBox* Text7;
    HiddenBox* Text8;
    HiddenBox* Text9;
    HiddenBox* Text10;
    HiddenBox* Text11;
    HiddenBox* Text12;
    HiddenBox* Text13;
    HiddenBox* Text14;
    HiddenBox* Text15;
    HiddenBox* Text16;
    HiddenBox* Text17;
    HiddenBox* Text18;
    HiddenBox* Text19;
    HiddenBox* Text20;
    HiddenBox* Text21;
    HiddenBox* Text22;
    HiddenBox* Text23;
    HiddenBox* Text24;
    HiddenBox* Text25;
    HiddenBox* Text26;
    HiddenBox* Text27;
    HiddenBox* Text28;
    HiddenBox* Text29;
    HiddenBox* Text30;
    HiddenBox* Text31;
    HiddenBox* Text32;
    HiddenBox* Text33;
    HiddenBox* Text35;
    HiddenBox* Text36;
    HiddenBox* Text37;
    HiddenBox* Text38;

    DataSource* Data1;
    DataSource* Data2;
    DataSource* Data3;
    DataSource* Data4;
    DataSource* Data5;
    DataSource* Data6;
    DataSource* Data7;
    DataSource* Data8;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls of one classification level.
    struct Level
    {
        QLabel* title; // bound to the level's LevelDescription
        QLineEdit* code; // the item-code box
        DbCombo* description; // the description pull-down
        DataSource* item; // moved onto the chosen item
        HiddenBox* itemCode; // the chosen item's ItemCode
        HiddenBox* itemDescription;
        HiddenBox* standardCost;
        HiddenBox* bonusRate;
    };
    enum class LookupVariant
    {
        Automatic,
        Enter
    };

    // The screen's design (JobCosting.cpp).
    void createControls();
    void createDataSources();
    void bindControls();
    void setTabOrder();
    // Data2 to Data4 on their level tables, and the pull-downs' lists.
    void refreshLevelLists();
    // Runs the focus handler of a control that received the focus.
    void focusGained(QObject* control);

    // Modes and navigation (Modes.cpp).
    void Form_Load();
    void Form_Paint();
    void applyLevelLayout();
    void Text34_GotFocus();
    void Command3_GotFocus();
    void Command3_Click();
    void Form_Terminate();
    void endProgram(ExitStatus status, const QString& reason = {});

    // Badge entry (BadgeLookup.cpp).
    void Text34_Change();
    void Text34_KeyPress();
    void lookUpBadge(LookupVariant variant);
    void enterNewJobMode(LookupVariant variant);
    void enterEndJobMode(LookupVariant variant);
    // Disables the badge box, with the focus parked where no key acts.
    void lockBadgeBox();
    bool openJobHasBonus() const;

    // Job selection (JobSelection.cpp).
    void ItemCode_Change(int level);
    void ItemCode_GotFocus(int level);
    void ItemCode_LostFocus(int level);
    void ItemCode_KeyPress(int level);
    void DBCombo_Click(int level);
    void lookUpDescription(int level);

    // Start Job and End Job (StartJob.cpp, EndJob.cpp).
    void Command1_Click();
    void startJob();
    void Command2_Click();
    void endJob();
    bool askPieceCount(const QString& summary, double& pieces);
    void closeOpenJob(double pieces);
    // Tells the worker that his punch is kept at the terminal until the server answers.
    void showKeptPunch();
    QString jobText(const QString& opening) const;
    void returnToBadgeEntry();
    void returnToBadgeEntryAfterSave();
    // Data1 on every open job, on its first row.
    void reopenOpenJobs();
    // Hides the job panel, the level-1 and level-3 rows, the name and the job buttons.
    void hideJobControls();

    void showDataError(const QString& what, const QString& reason);
    // Sets a label's caption; labels size themselves to their caption.
    void setCaption(QLabel* label, const QString& caption);
    // The job buttons choose their role by their caption in the program's own
    // words, whatever the caption shown.
    void setCaption(PictureButton* button, const char* caption);
    // Sizes a label to its caption: until the program first sets it, the design
    // size unless the caption needs more; after, the size the caption needs.
    void fitCaption(QLabel* label);
    // Fits a shown label now, or with the labels shown with the window.
    void fitWhenShown(QLabel* label);
    // Fits the labels shown with the window before its first paint; from then on
    // a label fits as it is shown.
    void fitShownCaptions();
    // The part of the load that cannot refuse the start and that the window's
    // first paint does not show: the level tables and the data sources behind
    // the job controls. Done once, while the window is mapped, or at the
    // latest when a badge is looked up.
    void loadRest();
    // The rest of the start, up to the first focus, done once while the window
    // system maps the window.
    void whileMapped();
    // Sets the job-punch file up for Start Job and End Job once the window is
    // ready: the first save then costs what every other does.
    void prepareSavesWhenReady();
    const Level& level(int number) const { return m_levels.at(number - 1); }

    const Services& m_services;
    Module1& m_module;
    std::array<Level, 3> m_levels {};
    QList<QWidget*> m_tabOrder;
    QPointer<DateCheck> m_dateCheck;
    QCache<std::pair<const QLabel*, QString>, QSize> m_captionSizes;
    QSet<const QLabel*> m_captionsSet; // labels whose caption the program has set
    QList<QPointer<QLabel>> m_captionsToFit; // shown with the window, not yet fitted
    bool m_captionsFitted = false;
    bool m_restPending = false;
    bool m_mapped = false;
    bool m_painted = false;
    bool m_savesPrepared = false;
    QList<std::shared_ptr<DatabaseFile>> m_siteFiles; // held open until the data sources hold them
    bool m_fillingBadge = false;
    ReaderSuffix* m_readerSuffix;
    bool m_shown = false;
    bool m_ended = false;
    QString m_levelOneFailure; // why the level-1 table could not be read, if it could not
};
