#pragma once

#include "data/DataSource.h"

#include <QDate>
#include <QTime>
#include <QUuid>

// A new job punch in data1 with every field a Start Job gives it, ready to
// save, as the punch screen makes it.
inline void addStartJob(DataSource& data1, const QString& name, int empNum)
{
    data1.addNew();
    data1.setField(QStringLiteral("Name"), name);
    data1.setField(QStringLiteral("Badge"), QStringLiteral("Open"));
    data1.setField(QStringLiteral("DateWorked"), QDate(2004, 2, 26));
    data1.setField(QStringLiteral("TimeStart"), QTime(14, 5, 7));
    data1.setField(QStringLiteral("TimeStop"), QTime(14, 5, 7));
    for (int level = 1; level <= 3; ++level) {
        const QString prefix = QStringLiteral("Level%1").arg(level);
        data1.setField(prefix + QStringLiteral("Description"), QStringLiteral("Department"));
        data1.setField(prefix + QStringLiteral("ItemCode"), QStringLiteral("12"));
        data1.setField(prefix + QStringLiteral("ItemDescription"), QStringLiteral("Assembly"));
        data1.setField(prefix + QStringLiteral("StandardCost"), QStringLiteral("14.5"));
        data1.setField(prefix + QStringLiteral("BonusRate"), QStringLiteral("0.35"));
    }
    data1.setField(QStringLiteral("Pieces"), QVariant::fromValue<qint16>(0));
    data1.setField(QStringLiteral("EmpNum"), empNum);
    data1.setField(QStringLiteral("DeptNum"), 10);
    data1.setField(QStringLiteral("BaseRate"), 18.5);
    data1.setField(QStringLiteral("PunchId"), QUuid::createUuid().toString(QUuid::WithoutBraces));
}
