#pragma once

#include "app/Services.h"

#include <QCache>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <array>

class DataSource;
class DateCheck;
class DbCombo;
class PictureButton;
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
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text6;
    QLineEdit* Text7;
    QLineEdit* Text8;
    QLineEdit* Text9;
    QLineEdit* Text10;
    QLineEdit* Text11;
    QLineEdit* Text12;
    QLineEdit* Text13;
    QLineEdit* Text14;
    QLineEdit* Text15;
    QLineEdit* Text16;
    QLineEdit* Text17;
    QLineEdit* Text18;
    QLineEdit* Text19;
    QLineEdit* Text20;
    QLineEdit* Text21;
    QLineEdit* Text22;
    QLineEdit* Text23;
    QLineEdit* Text24;
    QLineEdit* Text25;
    QLineEdit* Text26;
    QLineEdit* Text27;
    QLineEdit* Text28;
    QLineEdit* Text29;
    QLineEdit* Text30;
    QLineEdit* Text31;
    QLineEdit* Text32;
    QLineEdit* Text33;
    QLineEdit* Text35;
    QLineEdit* Text36;
    QLineEdit* Text37;
    QLineEdit* Text38;

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
        QLineEdit* itemCode; // the chosen item's ItemCode
        QLineEdit* itemDescription;
        QLineEdit* standardCost;
        QLineEdit* bonusRate;
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
    void endProgram();

    // Badge entry (BadgeLookup.cpp).
    void Text34_Change();
    void Text34_KeyPress();
    void lookUpBadge(LookupVariant variant);
    void enterNewJobMode(LookupVariant variant);
    void enterEndJobMode(LookupVariant variant);
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
    const Level& level(int number) const { return m_levels.at(number - 1); }

    const Services& m_services;
    Module1& m_module;
    std::array<Level, 3> m_levels {};
    QList<QWidget*> m_tabOrder;
    QPointer<DateCheck> m_dateCheck;
    QCache<std::pair<const QLabel*, QString>, QSize> m_captionSizes;
    bool m_fillingBadge = false;
    bool m_shown = false;
    bool m_ended = false;
    QString m_levelOneFailure; // why the level-1 table could not be read, if it could not
};
