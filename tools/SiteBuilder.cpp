#include "SiteBuilder.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <QUuid>
#include <algorithm>

namespace SiteBuilder {
namespace {

// Text compares without regard to letter case, as it always did on the sites;
// numeric, date and time columns refuse values of another kind.
QString number(const QString& name, const QString& type)
{
    return QStringLiteral("%1 %2 CHECK (typeof(%1) IN ('integer', 'real', 'null'))")
        .arg(name, type);
}

QString text(const QString& name)
{
    return name + QLatin1String(" TEXT COLLATE NOCASE");
}

QString date(const QString& name)
{
    return QStringLiteral("%1 DATE CHECK (%1 IS NULL OR %1 GLOB "
                          "'[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]')")
        .arg(name);
}

QString time(const QString& name)
{
    return QStringLiteral("%1 TIME CHECK (%1 IS NULL OR %1 GLOB "
                          "'[0-2][0-9]:[0-5][0-9]:[0-5][0-9]')")
        .arg(name);
}

QString table(const QString& name, const QStringList& columns)
{
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(name, columns.join(QLatin1String(", ")));
}

QStringList jobPunchesSchema()
{
    QStringList columns {QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT"),
        text(QStringLiteral("Name")), text(QStringLiteral("Badge")),
        date(QStringLiteral("DateWorked")), time(QStringLiteral("TimeStart")),
        time(QStringLiteral("TimeStop"))};
    for (int level = 1; level <= 3; ++level) {
        const QString prefix = QStringLiteral("Level%1").arg(level);
        columns << text(prefix + QLatin1String("Description"))
                << text(prefix + QLatin1String("ItemCode"))
                << text(prefix + QLatin1String("ItemDescription"))
                << number(prefix + QLatin1String("StandardCost"), QStringLiteral("REAL"))
                << number(prefix + QLatin1String("BonusRate"), QStringLiteral("REAL"));
    }
    columns << number(QStringLiteral("Pieces"), QStringLiteral("DOUBLE"))
            << number(QStringLiteral("EmpNum"), QStringLiteral("INTEGER"))
            << number(QStringLiteral("DeptNum"), QStringLiteral("INTEGER"))
            << number(QStringLiteral("BaseRate"), QStringLiteral("REAL"));
    return {table(QStringLiteral("JobPunches"), columns),
        QStringLiteral("CREATE INDEX JobPunchesByState ON JobPunches (Badge, Name)")};
}

QStringList validationsSchema()
{
    QStringList statements;
    for (int level = 1; level <= 3; ++level) {
        const QString name = QStringLiteral("Level%1").arg(level);
        statements
            << table(name,
                   {text(QStringLiteral("ItemCode")), text(QStringLiteral("ItemDescription")),
                       number(QStringLiteral("StandardCost"), QStringLiteral("REAL")),
                       number(QStringLiteral("BonusRate"), QStringLiteral("REAL")),
                       text(QStringLiteral("LevelDescription"))})
            << QStringLiteral("CREATE INDEX %1ByCode ON %1 (ItemCode)").arg(name)
            << QStringLiteral("CREATE INDEX %1ByDescription ON %1 (ItemDescription)").arg(name);
    }
    return statements;
}

QStringList timeClockSchema()
{
    return {table(QStringLiteral("EMPLOYEES"),
                {text(QStringLiteral("Badge")), text(QStringLiteral("Name")),
                    number(QStringLiteral("EmpNum"), QStringLiteral("INTEGER")),
                    number(QStringLiteral("DeptNum"), QStringLiteral("INTEGER")),
                    number(QStringLiteral("BasePayRate"), QStringLiteral("REAL")),
                    text(QStringLiteral("Shift")), date(QStringLiteral("HireDate"))}),
        QStringLiteral("CREATE INDEX EmployeesByBadge ON EMPLOYEES (Badge)"),
        table(QStringLiteral("WORK"),
            {text(QStringLiteral("NAME")), date(QStringLiteral("CLOCKWE")),
                number(QStringLiteral("EMPNUM"), QStringLiteral("INTEGER")),
                time(QStringLiteral("TIMEIN")), time(QStringLiteral("TIMEOUT")),
                number(QStringLiteral("HOURS"), QStringLiteral("REAL"))})};
}

// Runs fn on a connection to dir/file inside one transaction.
template<typename Fn> void withDatabase(const QString& dir, const QString& file, Fn fn)
{
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QDir(dir).filePath(file));
        if (!db.open())
            throw Error(db.lastError().text().toStdString());
        db.transaction();
        try {
            fn(db);
        } catch (...) {
            db.rollback();
            db.close();
            throw;
        }
        if (!db.commit())
            throw Error(db.lastError().text().toStdString());
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

void exec(QSqlQuery& query)
{
    if (!query.exec())
        throw Error(query.lastError().text().toStdString());
}

void execAll(QSqlDatabase& db, const QStringList& statements)
{
    for (const QString& statement : statements) {
        QSqlQuery query(db);
        if (!query.exec(statement))
            throw Error((statement + QLatin1String(": ") + query.lastError().text()).toStdString());
    }
}

} // namespace

void create(const QString& dir)
{
    for (const QString& file : {jobPunchesFile, validationsFile, timeClockFile}) {
        if (QFileInfo::exists(QDir(dir).filePath(file)))
            throw Error(QStringLiteral("%1 already exists; nothing was changed.")
                            .arg(QDir(dir).filePath(file))
                            .toStdString());
    }
    if (!QDir().mkpath(dir))
        throw Error(QStringLiteral("Cannot make the folder %1.").arg(dir).toStdString());
    withDatabase(dir, jobPunchesFile, [](QSqlDatabase& db) { execAll(db, jobPunchesSchema()); });
    withDatabase(dir, validationsFile, [](QSqlDatabase& db) { execAll(db, validationsSchema()); });
    withDatabase(dir, timeClockFile, [](QSqlDatabase& db) { execAll(db, timeClockSchema()); });
}

void addEmployees(const QString& dir, const QList<Employee>& employees)
{
    withDatabase(dir, timeClockFile, [&](QSqlDatabase& db) {
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO EMPLOYEES (Badge, Name, EmpNum, DeptNum, "
                                      "BasePayRate, Shift) VALUES (?, ?, ?, ?, ?, 'Day')"));
        for (const Employee& employee : employees) {
            insert.addBindValue(employee.badge);
            insert.addBindValue(employee.name);
            insert.addBindValue(employee.empNum);
            insert.addBindValue(employee.deptNum);
            insert.addBindValue(employee.basePayRate);
            exec(insert);
        }
    });
}

void addLevel(const QString& dir, int level, const Level& contents)
{
    if (level < 1 || level > 3)
        throw Error("There are three levels: 1, 2 and 3.");
    withDatabase(dir, validationsFile, [&](QSqlDatabase& db) {
        QSqlQuery insert(db);
        insert.prepare(
            QStringLiteral("INSERT INTO Level%1 (ItemCode, ItemDescription, StandardCost, "
                           "BonusRate, LevelDescription) VALUES (?, ?, ?, ?, ?)")
                .arg(level));
        for (const Item& item : contents.items) {
            insert.addBindValue(item.code);
            insert.addBindValue(item.description);
            insert.addBindValue(item.standardCost);
            insert.addBindValue(item.bonusRate);
            insert.addBindValue(contents.title);
            exec(insert);
        }
    });
}

void fillDemo(const QString& dir)
{
    addEmployees(dir,
        {
            {QStringLiteral("000123"), QStringLiteral("Walter Brennan"), 123, 10, 18.50},
            {QStringLiteral("000124"), QStringLiteral("Maria Lopez"), 124, 10, 19.25},
            {QStringLiteral("000125"), QStringLiteral("James O'Connor"), 125, 20, 21.00},
            {QStringLiteral("000126"), QStringLiteral("Linda Kowalski"), 126, 20, 17.75},
            {QStringLiteral("000127"), QStringLiteral("Robert Chen"), 127, 30, 22.40},
            {QStringLiteral("000128"), QStringLiteral("Patricia Nguyen"), 128, 30, 16.90},
            {QStringLiteral("000129"), QStringLiteral("Michael Schmidt"), 129, 10, 20.10},
            {QStringLiteral("000130"), QStringLiteral("Barbara Rossi"), 130, 40, 18.00},
            {QStringLiteral("000131"), QStringLiteral("David Okafor"), 131, 40, 19.60},
            {QStringLiteral("000132"), QStringLiteral("Susan Miller"), 132, 20, 23.15},
            {QStringLiteral("000133"), QStringLiteral("Thomas Dubois"), 133, 30, 17.30},
            {QStringLiteral("004711"), QStringLiteral("Karen Johansson"), 4711, 10, 24.00},
        });
    addLevel(dir, 1,
        {QStringLiteral("Department"),
            {{QStringLiteral("12"), QStringLiteral("Assembly"), 14.5, 0},
                {QStringLiteral("14"), QStringLiteral("Machining"), 18.25, 0},
                {QStringLiteral("16"), QStringLiteral("Paint Shop"), 12.0, 0},
                {QStringLiteral("18"), QStringLiteral("Shipping"), 9.75, 0}}});
    addLevel(dir, 2,
        {QStringLiteral("Operation"),
            {{QStringLiteral("7"), QStringLiteral("Weld"), 6.5, 0.35},
                {QStringLiteral("8"), QStringLiteral("Drill"), 4.25, 0.2},
                {QStringLiteral("9"), QStringLiteral("Grind"), 3.8, 0},
                {QStringLiteral("10"), QStringLiteral("Inspect"), 2.5, 0},
                {QStringLiteral("11"), QStringLiteral("Pack"), 1.75, 0.05}}});
    addLevel(dir, 3,
        {QStringLiteral("Part"),
            {{QStringLiteral("3"), QStringLiteral("Bracket"), 1.2, 0.15},
                {QStringLiteral("4"), QStringLiteral("Hinge"), 0.85, 0.1},
                {QStringLiteral("5"), QStringLiteral("Housing"), 4.4, 0},
                {QStringLiteral("6"), QStringLiteral("Shaft"), 2.95, 0.25},
                {QStringLiteral("A-100"), QStringLiteral("Cover Plate"), 1.6, 0}}});
}

QString largeItemCode(int level, int item, int items)
{
    const int width = std::max<int>(4, static_cast<int>(QString::number(items).size()));
    return QStringLiteral("%1%2").arg(level).arg(item, width, 10, QLatin1Char('0'));
}

QString largeItemDescription(int level, int item)
{
    return QStringLiteral("Item %1 of level %2").arg(item).arg(level);
}

void fillLarge(const QString& dir, int employees, qint64 punches, int items)
{
    if (punches > 0 && employees <= 0)
        throw Error("Punches need employees.");
    if (items < 1)
        throw Error("A level needs at least one item.");
    QList<Employee> staff;
    for (int i = 0; i < employees; ++i)
        staff.append({QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0')),
            QStringLiteral("Worker %1").arg(i + 1), i + 1, 10 * (1 + i % 9),
            15.0 + (i % 40) * 0.25});
    addEmployees(dir, staff);
    withDatabase(dir, validationsFile, [&](QSqlDatabase& db) {
        for (int level = 1; level <= 3; ++level) {
            QSqlQuery insert(db);
            insert.prepare(
                QStringLiteral("INSERT INTO Level%1 (ItemCode, ItemDescription, StandardCost, "
                               "BonusRate, LevelDescription) VALUES (?, ?, ?, ?, 'Level %1')")
                    .arg(level));
            for (int item = 1; item <= items; ++item) {
                insert.addBindValue(largeItemCode(level, item, items));
                insert.addBindValue(largeItemDescription(level, item));
                insert.addBindValue(item * 0.5);
                insert.addBindValue(item % 3 == 0 ? 0.25 : 0);
                exec(insert);
            }
        }
    });

    const qint64 openJobs = std::min<qint64>(std::min<qint64>(employees, 20), punches);
    withDatabase(dir, jobPunchesFile, [&](QSqlDatabase& db) {
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral(
            "INSERT INTO JobPunches (Name, Badge, DateWorked, TimeStart, TimeStop, "
            "Level1Description, Level1ItemCode, Level1ItemDescription, Level1StandardCost, "
            "Level1BonusRate, Level2Description, Level2ItemCode, Level2ItemDescription, "
            "Level2StandardCost, Level2BonusRate, Level3Description, Level3ItemCode, "
            "Level3ItemDescription, Level3StandardCost, Level3BonusRate, Pieces, EmpNum, DeptNum, "
            "BaseRate) VALUES (?, ?, ?, ?, ?, 'Level 1', ?, ?, ?, 0, 'Level 2', ?, ?, ?, 0, "
            "'Level 3', ?, ?, ?, 0.25, ?, ?, ?, ?)"));
        QRandomGenerator random(20041226);
        const QDate first(2015, 1, 1);
        for (qint64 n = 0; n < punches; ++n) {
            const Employee& worker = staff.at(static_cast<int>(n % employees));
            const bool open = n >= punches - openJobs;
            const QTime start(6 + random.bounded(10), random.bounded(60), random.bounded(60));
            const int item = 1 + random.bounded(items);
            insert.addBindValue(worker.name);
            insert.addBindValue(open ? QStringLiteral("Open") : QStringLiteral("Closed"));
            insert.addBindValue(
                first.addDays(n * 3650 / std::max<qint64>(punches, 1)).toString(Qt::ISODate));
            insert.addBindValue(start.toString(QStringLiteral("HH:mm:ss")));
            insert.addBindValue(start.addSecs(open ? 0 : 3600 + random.bounded(14400))
                                    .toString(QStringLiteral("HH:mm:ss")));
            for (int level = 1; level <= 3; ++level) {
                insert.addBindValue(largeItemCode(level, item, items));
                insert.addBindValue(largeItemDescription(level, item));
                insert.addBindValue(item * 0.5);
            }
            insert.addBindValue(open ? 0 : random.bounded(500));
            insert.addBindValue(worker.empNum);
            insert.addBindValue(worker.deptNum);
            insert.addBindValue(worker.basePayRate);
            exec(insert);
        }
    });
}

} // namespace SiteBuilder
