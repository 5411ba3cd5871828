#include "PunchRules.h"

#include "data/SiteModel.h"
#include "data/SqliteFile.h"

#include <algorithm>

namespace PunchRules {

namespace {

using namespace SiteModel;

const QStringList& fields()
{
    return JobPunch::fieldNames();
}

// The rules' SQL names the site's tables and the origins' columns as {Name};
// the site model says what they are called.
QString named(QString sql)
{
    const QList<std::pair<const char*, const QString*>> names {{"JobPunches", &jobPunches},
        {"JobPunchCorrections", &jobPunchCorrections}, {"JobPunchConflicts", &jobPunchConflicts},
        {"JobPunchOrigins", &jobPunchOrigins}, {"SiteSettings", &siteSettings},
        {"EMPLOYEES", &employees}, {"Event", &Origin::event}, {"WrittenBy", &Origin::writtenBy},
        {"ReceivedAt", &Origin::receivedAt}};
    for (const auto& [token, name] : names)
        sql.replace(QLatin1Char('{') + QLatin1String(token) + QLatin1Char('}'), *name);
    return sql;
}

const QString needsReason = QStringLiteral(
    "This change of a job punch is a correction, and a correction needs its reason: set "
    "jobcosting.reason in its transaction (SET LOCAL jobcosting.reason = ''...''), as "
    "jobcosting-desk does.");

// The fields that an end leaves as they are, with the row's names.
QStringList keptByAnEnd()
{
    QStringList kept = fields();
    kept.removeOne(QStringLiteral("Badge"));
    kept.removeOne(QStringLiteral("TimeStop"));
    kept.removeOne(QStringLiteral("Pieces"));
    return kept << QStringLiteral("PunchId") << QStringLiteral("ID");
}

QStringList prefixed(const QString& row, const QStringList& names)
{
    QStringList out;
    for (const QString& name : names)
        out << row + QLatin1Char('.') + name;
    return out;
}

bool isAmount(const QString& field)
{
    return field.endsWith(QLatin1String("StandardCost"))
        || field.endsWith(QLatin1String("BonusRate")) || field == QLatin1String("BaseRate");
}

// ---- On a server ----

// A punch's 24 fields as the audit keeps them: by name, amounts as numbers.
QString serverValues(const QString& row)
{
    QStringList pairs;
    for (const QString& field : fields())
        pairs << QLatin1Char('\'') + field + QLatin1String("', ")
                + (isAmount(field)
                        ? QStringLiteral("CAST(%1.%2 AS double precision)").arg(row, field)
                        : row + QLatin1Char('.') + field);
    return QStringLiteral("jsonb_build_object(%1)").arg(pairs.join(QLatin1String(", ")));
}

const QString writer = QStringLiteral(
    "CREATE OR REPLACE FUNCTION JobPunchesWriter() RETURNS text LANGUAGE plpgsql STABLE AS $$ "
    "BEGIN "
    "IF (SELECT rolsuper FROM pg_roles WHERE rolname = session_user) OR pg_has_role(session_user, "
    "(SELECT relowner FROM pg_class WHERE oid = 'jobpunches'::regclass), 'MEMBER') THEN "
    "RETURN 'owner'; END IF; "
    "IF EXISTS (SELECT FROM pg_roles WHERE rolname = 'jobcosting_supervisor') THEN "
    "IF pg_has_role(session_user, 'jobcosting_supervisor', 'MEMBER') THEN RETURN 'supervisor'; "
    "END IF; END IF; "
    "IF EXISTS (SELECT FROM pg_roles WHERE rolname = 'jobcosting_terminal') THEN "
    "IF pg_has_role(session_user, 'jobcosting_terminal', 'MEMBER') THEN RETURN 'terminal'; "
    "END IF; END IF; "
    "RETURN 'other'; END $$");

QString refuse(const QString& message, const QStringList& values = {})
{
    QString statement = QLatin1String("RAISE EXCEPTION '") + message + QLatin1Char('\'');
    for (const QString& value : values)
        statement += QLatin1String(", ") + value;
    return statement + QLatin1String(" USING ERRCODE = 'insufficient_privilege'; ");
}

QString terminalRules(const TerminalChecks& checks)
{
    QString body = QStringLiteral(
        "CREATE OR REPLACE FUNCTION JobPunchesAsTerminalsWrite() RETURNS trigger LANGUAGE plpgsql "
        "AS $$ BEGIN "
        "IF JobPunchesWriter() <> 'terminal' THEN RETURN NEW; END IF; "
        "IF TG_OP = 'UPDATE' THEN "
        "IF OLD.Badge IS DISTINCT FROM 'Open' THEN ");
    body += refuse(QStringLiteral("A terminal changes only open jobs; the job of % is %."),
                {QStringLiteral("OLD.Name"), QStringLiteral("OLD.Badge")})
        + QStringLiteral("END IF; IF NEW.Badge IS DISTINCT FROM 'Closed' THEN ")
        + refuse(QStringLiteral("A terminal ends a job by marking it Closed, not %."),
            {QStringLiteral("NEW.Badge")})
        + QStringLiteral("END IF; IF ROW(%1) IS DISTINCT FROM ROW(%2) THEN ")
              .arg(prefixed(QStringLiteral("OLD"), keptByAnEnd()).join(QLatin1String(", ")),
                  prefixed(QStringLiteral("NEW"), keptByAnEnd()).join(QLatin1String(", ")))
        + refuse(QStringLiteral("A terminal that ends a job changes its Badge, TimeStop and "
                                "Pieces only."))
        + QStringLiteral("END IF; RETURN NEW; END IF; "
                         // Sent again after its answer was lost: it is there already.
                         "IF EXISTS (SELECT FROM {JobPunches} WHERE PunchId = NEW.PunchId) THEN "
                         "RETURN NEW; END IF; "
                         "IF NEW.Badge IS DISTINCT FROM 'Open' THEN ")
        + refuse(QStringLiteral("A terminal adds only jobs that start open, not one marked %."),
            {QStringLiteral("NEW.Badge")})
        + QStringLiteral("END IF; IF NEW.Pieces IS DISTINCT FROM 0 THEN ")
        + refuse(
            QStringLiteral("A job starts with 0 pieces, not %."), {QStringLiteral("NEW.Pieces")})
        + QStringLiteral("END IF; IF NEW.TimeStart IS NULL OR NEW.TimeStop IS NULL OR "
                         "(NEW.TimeStop <> NEW.TimeStart AND NEW.TimeStop <> NEW.TimeStart + "
                         "interval '1 second') THEN ")
        + refuse(QStringLiteral("A job starts with its stop at its start time (%), not at %."),
            {QStringLiteral("NEW.TimeStart"), QStringLiteral("NEW.TimeStop")})
        + QStringLiteral("END IF; ");
    if (checks.employees)
        body += QStringLiteral("IF NOT EXISTS (SELECT FROM {EMPLOYEES} e WHERE e.Name = NEW.Name "
                               "AND e.EmpNum IS NOT DISTINCT FROM NEW.EmpNum AND e.DeptNum IS NOT "
                               "DISTINCT FROM NEW.DeptNum AND e.BasePayRate IS NOT DISTINCT FROM "
                               "NEW.BaseRate) THEN ")
            + refuse(QStringLiteral("No employee in {EMPLOYEES} is % with the employee number %, "
                                    "the department % and the base rate % of this job."),
                {QStringLiteral("NEW.Name"), QStringLiteral("NEW.EmpNum"),
                    QStringLiteral("NEW.DeptNum"), QStringLiteral("NEW.BaseRate")})
            + QStringLiteral("END IF; ");
    if (checks.levels) {
        for (int level = 1; level <= 3; ++level) {
            const QString cost = QStringLiteral("NEW.Level%1StandardCost").arg(level);
            const QString rate = QStringLiteral("NEW.Level%1BonusRate").arg(level);
            body += QStringLiteral("IF (%1 IS NOT NULL OR %2 IS NOT NULL) AND NOT EXISTS (SELECT "
                                   "FROM Level%3 i WHERE i.StandardCost IS NOT DISTINCT FROM %1 "
                                   "AND i.BonusRate IS NOT DISTINCT FROM %2) THEN ")
                        .arg(cost, rate)
                        .arg(level)
                + refuse(QLatin1String("No item of Level") + QString::number(level)
                        + QLatin1String(" has the standard cost % and the bonus rate % of this "
                                        "job."),
                    {cost, rate})
                + QStringLiteral("END IF; ");
        }
    }
    return body + QStringLiteral("RETURN NEW; END $$");
}

// An aggregate of keys and JSON values into one compact object, its keys in
// order: {"Badge":"Closed","Pieces":3}.
QString compactObject(const QString& key, const QString& value)
{
    return QStringLiteral("CAST(COALESCE('{' || string_agg(CAST(to_json(CAST(%1 AS text)) AS text) "
                          "|| ':' || CAST(%2 AS text), ',' ORDER BY %1 COLLATE \"C\") || '}', "
                          "'{}') AS json)")
        .arg(key, value);
}

QString audited()
{
    // The fields that changed, from the one object to the other; for an
    // addition or a deletion every field of the punch.
    const auto changed = [](const QString& from, const QString& other) {
        return QStringLiteral("(SELECT %1 FROM jsonb_object_keys(before || after) AS k WHERE %2 "
                              "? k AND (%2 -> k) IS DISTINCT FROM (%3 -> k))")
            .arg(compactObject(QStringLiteral("k"), from + QLatin1String(" -> k")), from, other);
    };
    QStringList kept = keptByAnEnd();
    kept.removeOne(QStringLiteral("ID"));
    return QStringLiteral(
               "CREATE OR REPLACE FUNCTION JobPunchesAudited() RETURNS trigger LANGUAGE plpgsql "
               "SECURITY DEFINER AS $$ DECLARE "
               "reason text := nullif(btrim(current_setting('jobcosting.reason', true)), ''); "
               "conflict text := nullif(btrim(current_setting('jobcosting.conflict', true)), ''); "
               "before jsonb := '{}'; after jsonb := '{}'; ended boolean := false; "
               "action text; oldValues json; newValues json; "
               "BEGIN "
               "IF TG_OP <> 'INSERT' THEN before := JobPunchValues(OLD); END IF; "
               "IF TG_OP <> 'DELETE' THEN after := JobPunchValues(NEW); END IF; "
               "IF TG_OP = 'UPDATE' THEN "
               "IF OLD.PunchId IS DISTINCT FROM NEW.PunchId THEN "
               "before := before || jsonb_build_object('PunchId', OLD.PunchId); "
               "after := after || jsonb_build_object('PunchId', NEW.PunchId); END IF; "
               // Written again as it was: nothing to keep.
               "IF before = after THEN RETURN NULL; END IF; "
               "ended := OLD.Badge = 'Open' AND NEW.Badge = 'Closed' AND ROW(%1) IS NOT "
               "DISTINCT FROM ROW(%2); END IF; "
               "IF reason IS NULL THEN "
               // A terminal's start and end are not corrections; a supervisor's
               // every change is.
               "IF (TG_OP = 'INSERT' AND NEW.Badge = 'Open' OR ended) AND JobPunchesWriter() <> "
               "'supervisor' THEN RETURN NULL; END IF; ")
               .arg(prefixed(QStringLiteral("OLD"), kept).join(QLatin1String(", ")),
                   prefixed(QStringLiteral("NEW"), kept).join(QLatin1String(", ")))
        + refuse(needsReason)
        + QStringLiteral(
            "END IF; "
            "action := CASE WHEN TG_OP = 'DELETE' THEN 'delete' WHEN ended THEN "
            "'end' ELSE 'edit' END; "
            "IF conflict IS NOT NULL AND TG_OP <> 'DELETE' THEN "
            "SELECT JobPunchConflictValues(c) INTO oldValues FROM {JobPunchConflicts} c "
            "WHERE c.ID = CAST(conflict AS bigint) AND c.PunchId = NEW.PunchId; "
            "IF FOUND THEN action := 'apply'; END IF; END IF; "
            "IF oldValues IS NULL THEN oldValues := %1; END IF; "
            "newValues := %2; "
            "INSERT INTO {JobPunchCorrections} (PunchId, Action, Reason, OldValues, "
            "NewValues) VALUES (COALESCE(OLD.PunchId, NEW.PunchId), action, reason, "
            "oldValues, newValues); "
            "RETURN NULL; END $$")
              .arg(changed(QStringLiteral("before"), QStringLiteral("after")),
                  changed(QStringLiteral("after"), QStringLiteral("before")));
}

QStringList serverRules(const TerminalChecks& checks)
{
    QStringList conflictPairs {QStringLiteral("'ID', c.ID"), QStringLiteral("'PunchId', c.PunchId"),
        QStringLiteral("'Terminal', c.Terminal"), QStringLiteral("'Action', c.Action"),
        QStringLiteral("'Reason', c.Reason"), QStringLiteral("'ArrivedAt', c.ArrivedAt")};
    const QString terminalOf = QStringLiteral(
        "COALESCE(nullif(current_setting('jobcosting.terminal', true), ''), "
        "host(inet_client_addr()), nullif(current_setting('application_name'), ''))");
    // Who wrote a kept row, and when, is the server's to say; nobody writes
    // one but these functions.
    const auto kept = [](const QString& table, const QString& stamps, const QString& written,
                          const QString& never) {
        return QStringLiteral("CREATE OR REPLACE FUNCTION %1Kept() RETURNS trigger LANGUAGE "
                              "plpgsql AS $$ BEGIN "
                              "IF TG_OP = 'INSERT' AND pg_trigger_depth() > 1 THEN %2 RETURN NEW; "
                              "END IF; IF TG_OP = 'INSERT' THEN ")
                   .arg(table, stamps)
            + refuse(written) + QStringLiteral("END IF; ") + refuse(never)
            + QStringLiteral("END $$");
    };
    QStringList statements {
        QStringLiteral("CREATE OR REPLACE FUNCTION JobPunchValues(p {JobPunches}) RETURNS jsonb "
                       "LANGUAGE sql STABLE AS $$ SELECT %1 $$")
            .arg(serverValues(QStringLiteral("p"))),
        QStringLiteral("CREATE OR REPLACE FUNCTION JobPunchConflictValues(c {JobPunchConflicts}) "
                       "RETURNS json LANGUAGE sql STABLE AS $$ SELECT %1 FROM "
                       "jsonb_each(jsonb_build_object(%2) || %3) $$")
            .arg(compactObject(QStringLiteral("key"), QStringLiteral("value")),
                conflictPairs.join(QLatin1String(", ")), serverValues(QStringLiteral("c"))),
        writer, terminalRules(checks), audited(),
        QStringLiteral("CREATE OR REPLACE FUNCTION JobPunchesArrived() RETURNS trigger LANGUAGE "
                       "plpgsql SECURITY DEFINER AS $$ BEGIN "
                       "IF TG_OP = 'INSERT' OR (OLD.Badge = 'Open' AND NEW.Badge = 'Closed') THEN "
                       "INSERT INTO {JobPunchOrigins} (PunchId, {Event}, Terminal) VALUES "
                       "(NEW.PunchId, CASE TG_OP WHEN 'INSERT' THEN 'start' ELSE 'end' END, %1); "
                       "END IF; RETURN NULL; END $$")
            .arg(terminalOf),
        QStringLiteral("CREATE OR REPLACE FUNCTION JobPunchConflictsSettled() RETURNS trigger "
                       "LANGUAGE plpgsql SECURITY DEFINER AS $$ DECLARE "
                       "reason text := nullif(btrim(current_setting('jobcosting.reason', true)), "
                       "''); BEGIN IF reason IS NULL THEN ")
            + refuse(QStringLiteral("A conflict is settled with its reason: set jobcosting.reason "
                                    "in the transaction (SET LOCAL jobcosting.reason = ''...''), "
                                    "as jobcosting-desk does."))
            + QStringLiteral(
                "END IF; "
                // Applied in this transaction: the audit row of the punch names it.
                "IF NOT EXISTS (SELECT FROM {JobPunchCorrections} WHERE Action = 'apply' AND "
                "PunchId = OLD.PunchId AND CorrectedAt = now() AND CorrectedBy = session_user "
                "AND (OldValues ->> 'ID') = CAST(OLD.ID AS text)) THEN "
                "INSERT INTO {JobPunchCorrections} (PunchId, Action, Reason, OldValues, NewValues) "
                "VALUES (OLD.PunchId, 'dismiss', reason, JobPunchConflictValues(OLD), '{}'); "
                "END IF; RETURN NULL; END $$"),
        QStringLiteral("CREATE OR REPLACE FUNCTION JobPunchesNeverEmptied() RETURNS trigger "
                       "LANGUAGE plpgsql AS $$ BEGIN ")
            + refuse(QStringLiteral("% is never emptied; its rows are corrected one by one, each "
                                    "with its reason."),
                {QStringLiteral("TG_TABLE_NAME")})
            + QStringLiteral("END $$"),
        kept(QStringLiteral("{JobPunchCorrections}"),
            QStringLiteral("NEW.CorrectedBy := session_user; NEW.CorrectedAt := now();"),
            QStringLiteral("Corrections are written by the database itself, with the change of "
                           "the punch they record."),
            QStringLiteral("A correction is never changed or deleted.")),
        kept(QStringLiteral("{JobPunchOrigins}"),
            QStringLiteral("NEW.{WrittenBy} := session_user; NEW.{ReceivedAt} := now();"),
            QStringLiteral("Where a punch came from is written by the database itself, as the "
                           "punch arrives."),
            QStringLiteral("Where a punch came from is never changed or deleted."))};

    const QList<std::pair<QString, QString>> triggers {
        {QStringLiteral("{JobPunches}"),
            QStringLiteral("JobPunchesAsTerminalsWrite BEFORE INSERT OR UPDATE ON {JobPunches} FOR "
                           "EACH ROW EXECUTE FUNCTION JobPunchesAsTerminalsWrite()")},
        {QStringLiteral("{JobPunches}"),
            QStringLiteral("JobPunchesAudited AFTER INSERT OR UPDATE OR DELETE ON {JobPunches} FOR "
                           "EACH ROW EXECUTE FUNCTION JobPunchesAudited()")},
        {QStringLiteral("{JobPunches}"),
            QStringLiteral("JobPunchesArrived AFTER INSERT OR UPDATE ON {JobPunches} FOR EACH ROW "
                           "EXECUTE FUNCTION JobPunchesArrived()")},
        {QStringLiteral("{JobPunches}"),
            QStringLiteral("JobPunchesNeverEmptied BEFORE TRUNCATE ON {JobPunches} FOR EACH "
                           "STATEMENT EXECUTE FUNCTION JobPunchesNeverEmptied()")},
        {QStringLiteral("{JobPunchConflicts}"),
            QStringLiteral("JobPunchConflictsSettled AFTER DELETE ON {JobPunchConflicts} FOR EACH "
                           "ROW EXECUTE FUNCTION JobPunchConflictsSettled()")},
        {QStringLiteral("{JobPunchConflicts}"),
            QStringLiteral("JobPunchConflictsNeverEmptied BEFORE TRUNCATE ON {JobPunchConflicts} "
                           "FOR EACH STATEMENT EXECUTE FUNCTION JobPunchesNeverEmptied()")},
        {QStringLiteral("{JobPunchCorrections}"),
            QStringLiteral("JobPunchCorrectionsKept BEFORE INSERT OR UPDATE OR DELETE ON "
                           "{JobPunchCorrections} FOR EACH ROW EXECUTE FUNCTION "
                           "JobPunchCorrectionsKept()")},
        {QStringLiteral("{JobPunchCorrections}"),
            QStringLiteral("JobPunchCorrectionsNotEmptied BEFORE TRUNCATE ON {JobPunchCorrections} "
                           "FOR EACH STATEMENT EXECUTE FUNCTION JobPunchCorrectionsKept()")},
        {QStringLiteral("{JobPunchOrigins}"),
            QStringLiteral(
                "JobPunchOriginsKept BEFORE INSERT OR UPDATE OR DELETE ON "
                "{JobPunchOrigins} FOR EACH ROW EXECUTE FUNCTION JobPunchOriginsKept()")},
        {QStringLiteral("{JobPunchOrigins}"),
            QStringLiteral("JobPunchOriginsNeverEmptied BEFORE TRUNCATE ON {JobPunchOrigins} FOR "
                           "EACH STATEMENT EXECUTE FUNCTION JobPunchesNeverEmptied()")}};
    for (const auto& [table, trigger] : triggers)
        statements << QStringLiteral("DROP TRIGGER IF EXISTS %1 ON %2")
                          .arg(trigger.section(QLatin1Char(' '), 0, 0), table)
                   << QLatin1String("CREATE TRIGGER ") + trigger;

    // The functions find the site's tables (and citext) whatever the caller's
    // search_path, and those that write as the tables' owner belong to it.
    statements << QStringLiteral(
        "DO $$ DECLARE f text; citext text; owner text; BEGIN "
        "SELECT n.nspname INTO citext FROM pg_extension e JOIN pg_namespace n ON n.oid = "
        "e.extnamespace WHERE e.extname = 'citext'; "
        "SELECT pg_get_userbyid(relowner) INTO owner FROM pg_class WHERE oid = "
        "'jobpunches'::regclass; "
        "FOREACH f IN ARRAY ARRAY['JobPunchValues({JobPunches})', "
        "'JobPunchConflictValues({JobPunchConflicts})', 'JobPunchesWriter()', "
        "'JobPunchesAsTerminalsWrite()', 'JobPunchesAudited()', 'JobPunchesArrived()', "
        "'JobPunchConflictsSettled()', 'JobPunchesNeverEmptied()', 'JobPunchCorrectionsKept()', "
        "'JobPunchOriginsKept()'] LOOP "
        "EXECUTE format('ALTER FUNCTION %s SET search_path = %I, %I, pg_temp', f, "
        "current_schema(), COALESCE(citext, current_schema())); "
        "EXECUTE format('ALTER FUNCTION %s OWNER TO %I', f, owner); "
        "END LOOP; END $$");
    return statements;
}

// ---- On SQLite ----

QString reasonGiven()
{
    return QStringLiteral("EXISTS (SELECT 1 FROM %1)").arg(jobPunchCorrectionReason);
}

// A JSON object of the named fields of `row`, or only of those that differ
// from `other`'s (letter case counts).
QString sqliteValues(const QString& row, const QStringList& names, const QString& other = {})
{
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end());
    QStringList selects;
    for (const QString& field : std::as_const(sorted))
        selects << QStringLiteral("SELECT '%1' AS f, %2.%1 AS v%3")
                       .arg(field, row,
                           other.isEmpty() ? QString()
                                           : QStringLiteral(", %1.%2 AS w").arg(other, field));
    // A whole number kept as a real is written as the desk reads it: 3, not 3.0.
    return QStringLiteral("(SELECT json_group_object(f, CASE WHEN typeof(v) = 'real' AND v = "
                          "CAST(v AS INTEGER) THEN CAST(v AS INTEGER) ELSE v END) FROM (%1)%2)")
        .arg(selects.join(QLatin1String(" UNION ALL ")),
            other.isEmpty() ? QString() : QStringLiteral(" WHERE v IS NOT w COLLATE BINARY"));
}

QString anyChanged()
{
    QStringList changes;
    for (const QString& field : fields() + QStringList {QStringLiteral("PunchId")})
        changes << QStringLiteral("OLD.%1 IS NOT NEW.%1 COLLATE BINARY").arg(field);
    return QLatin1Char('(') + changes.join(QLatin1String(" OR ")) + QLatin1Char(')');
}

QString ended()
{
    QStringList same;
    for (const QString& field : keptByAnEnd())
        same << QStringLiteral("OLD.%1 IS NEW.%1 COLLATE BINARY").arg(field);
    return QStringLiteral("(OLD.Badge = 'Open' COLLATE NOCASE AND NEW.Badge = 'Closed' COLLATE "
                          "NOCASE AND %1)")
        .arg(same.join(QLatin1String(" AND ")));
}

QStringList sqliteRules()
{
    const QString audit = QStringLiteral(
        "INSERT INTO {JobPunchCorrections} (PunchId, Action, CorrectedBy, Reason, OldValues, "
        "NewValues) SELECT %1, %2, CorrectedBy, Reason, %3, %4 FROM %5 LIMIT 1; ");
    const QString refuseWithoutReason = QStringLiteral(
        "SELECT RAISE(ABORT, 'This change of a job punch is a correction, and a correction needs "
        "its reason: jobcosting-desk writes it.'); ");
    QStringList punchIdToo = fields();
    punchIdToo << QStringLiteral("PunchId");
    const QList<std::pair<QString, QString>> triggers {
        // INSERT OR REPLACE deletes the row it replaces without a delete
        // trigger: nothing is replaced.
        {QStringLiteral("JobPunchesNeverReplaced"),
            QStringLiteral(
                "BEFORE INSERT ON {JobPunches} WHEN EXISTS (SELECT 1 FROM {JobPunches} WHERE "
                "ID = NEW.ID OR PunchId = NEW.PunchId) BEGIN SELECT RAISE(ABORT, 'A job "
                "punch is never replaced: one with this ID or PunchId is there "
                "already.'); END")},
        {QStringLiteral("JobPunchesOpenJobNeverReplaced"),
            QStringLiteral(
                "BEFORE INSERT ON {JobPunches} WHEN NEW.Badge = 'Open' COLLATE NOCASE AND "
                "EXISTS (SELECT 1 FROM {JobPunches} WHERE Badge = 'Open' AND Name = "
                "NEW.Name) BEGIN SELECT RAISE(ABORT, '%1'); END")
                .arg(SqliteFile::openJobTaken)},
        {QStringLiteral("JobPunchesAddedWithReason"),
            QStringLiteral("BEFORE INSERT ON {JobPunches} WHEN NOT COALESCE(NEW.Badge = 'Open' "
                           "COLLATE NOCASE, 0) AND NOT %1 BEGIN %2END")
                .arg(reasonGiven(), refuseWithoutReason)},
        {QStringLiteral("JobPunchesChangedWithReason"),
            QStringLiteral(
                "BEFORE UPDATE ON {JobPunches} WHEN NOT %1 AND %2 AND NOT %3 BEGIN %4END")
                .arg(reasonGiven(), anyChanged(), ended(), refuseWithoutReason)},
        {QStringLiteral("JobPunchesDeletedWithReason"),
            QStringLiteral("BEFORE DELETE ON {JobPunches} WHEN NOT %1 BEGIN %2END")
                .arg(reasonGiven(), refuseWithoutReason)},
        {QStringLiteral("JobPunchesAddedAudited"),
            QStringLiteral("AFTER INSERT ON {JobPunches} WHEN %1 BEGIN %2END")
                .arg(reasonGiven(),
                    audit.arg(QStringLiteral("NEW.PunchId"), QStringLiteral("'edit'"),
                        QStringLiteral("'{}'"), sqliteValues(QStringLiteral("NEW"), fields()),
                        jobPunchCorrectionReason))},
        {QStringLiteral("JobPunchesChangedAudited"),
            QStringLiteral("AFTER UPDATE ON {JobPunches} WHEN %1 AND %2 BEGIN %3END")
                .arg(reasonGiven(), anyChanged(),
                    audit.arg(QStringLiteral("OLD.PunchId"),
                        QStringLiteral("CASE WHEN %1 THEN 'end' ELSE 'edit' END").arg(ended()),
                        sqliteValues(QStringLiteral("OLD"), punchIdToo, QStringLiteral("NEW")),
                        sqliteValues(QStringLiteral("NEW"), punchIdToo, QStringLiteral("OLD")),
                        jobPunchCorrectionReason))},
        {QStringLiteral("JobPunchesDeletedAudited"),
            QStringLiteral("AFTER DELETE ON {JobPunches} WHEN %1 BEGIN %2END")
                .arg(reasonGiven(),
                    audit.arg(QStringLiteral("OLD.PunchId"), QStringLiteral("'delete'"),
                        sqliteValues(QStringLiteral("OLD"), fields()), QStringLiteral("'{}'"),
                        jobPunchCorrectionReason))},
        {QStringLiteral("JobPunchesStarted"),
            QStringLiteral("AFTER INSERT ON {JobPunches} BEGIN INSERT INTO {JobPunchOrigins} "
                           "(PunchId, {Event}) VALUES (NEW.PunchId, 'start'); END")},
        {QStringLiteral("JobPunchesEnded"),
            QStringLiteral(
                "AFTER UPDATE ON {JobPunches} WHEN OLD.Badge = 'Open' COLLATE NOCASE AND "
                "NEW.Badge = 'Closed' COLLATE NOCASE BEGIN INSERT INTO {JobPunchOrigins} "
                "(PunchId, {Event}) VALUES (NEW.PunchId, 'end'); END")},
        {QStringLiteral("JobPunchCorrectionsNeverReplaced"),
            QStringLiteral("BEFORE INSERT ON {JobPunchCorrections} WHEN EXISTS (SELECT 1 FROM "
                           "{JobPunchCorrections} WHERE CorrectionId = NEW.CorrectionId) BEGIN "
                           "SELECT RAISE(ABORT, 'A correction is never changed or deleted.'); "
                           "END")},
        // The writer's connection names itself once, right after the row is made.
        {QStringLiteral("JobPunchOriginsNeverChanged"),
            QStringLiteral(
                "BEFORE UPDATE ON {JobPunchOrigins} WHEN OLD.{WrittenBy} IS NOT NULL OR "
                "OLD.PunchId IS NOT NEW.PunchId OR OLD.{Event} IS NOT NEW.{Event} OR "
                "OLD.{ReceivedAt} IS NOT NEW.{ReceivedAt} BEGIN SELECT RAISE(ABORT, 'Where "
                "a punch came from is never changed or deleted.'); END")},
        {QStringLiteral("JobPunchOriginsNeverDeleted"),
            QStringLiteral("BEFORE DELETE ON {JobPunchOrigins} BEGIN SELECT RAISE(ABORT, 'Where a "
                           "punch came from is never changed or deleted.'); END")},
        {QStringLiteral("JobPunchOriginsNeverReplaced"),
            QStringLiteral("BEFORE INSERT ON {JobPunchOrigins} WHEN EXISTS (SELECT 1 FROM "
                           "{JobPunchOrigins} WHERE rowid = NEW.rowid) BEGIN SELECT RAISE(ABORT, "
                           "'Where a punch came from is never changed or deleted.'); END")}};
    QStringList statements;
    for (const auto& [name, trigger] : triggers)
        statements << QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(name)
                   << QStringLiteral("CREATE TRIGGER %1 %2").arg(name, trigger);
    return statements;
}

} // namespace

QStringList tables(bool server)
{
    const QString text = server ? QStringLiteral("text") : QStringLiteral("TEXT");
    const QString key
        = server ? QStringLiteral("citext COLLATE \"C\"") : QStringLiteral("TEXT COLLATE NOCASE");
    QStringList statements {
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2 %3 NOT NULL, %4 %5 NOT NULL CHECK (%4 IN "
                       "('%6', '%7')), %8 %5%9, %10 %5, %11 %12)")
            .arg(jobPunchOrigins, Origin::punchId, key, Origin::event, text, Origin::start,
                Origin::end, Origin::writtenBy, server ? QStringLiteral(" NOT NULL") : QString())
            .arg(Origin::terminal, Origin::receivedAt,
                server ? QStringLiteral("timestamptz NOT NULL DEFAULT now()")
                       : QStringLiteral("TEXT NOT NULL DEFAULT (strftime('%Y-%m-%dT%H:%M:%SZ', "
                                        "'now'))")),
        QStringLiteral("CREATE INDEX IF NOT EXISTS %1ByPunch ON %1 (%2)")
            .arg(jobPunchOrigins, Origin::punchId),
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2 %3 PRIMARY KEY, %4 %5 NOT NULL)")
            .arg(siteSettings, Setting::name, key, Setting::value, text)};
    if (!server)
        statements << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2 TEXT NOT NULL CHECK "
                                     "(trim(%2) <> ''), %3 TEXT NOT NULL)")
                          .arg(jobPunchCorrectionReason, CorrectionReason::reason,
                              CorrectionReason::correctedBy);
    return statements;
}

QStringList rules(bool server, const TerminalChecks& checks)
{
    QStringList statements = server ? serverRules(checks) : sqliteRules();
    for (QString& statement : statements)
        statement = named(statement);
    return statements;
}

} // namespace PunchRules
