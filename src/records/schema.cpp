#include "records/schema.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "records/legacy_reasons.h"
#include "records/records_texts.h"
#include "text/language.h"

namespace vek::records {

namespace {

// Each entry takes the schema from its index to the next version. A new
// database runs them all, so the path an old database takes is the path every
// database has taken.
const std::vector<std::vector<const char*>> kSteps = {
    {
        "CREATE TABLE schema_version (version INTEGER NOT NULL)",
        "INSERT INTO schema_version (version) VALUES (1)",
        "CREATE TABLE runs ("
        " id TEXT PRIMARY KEY,"
        " started_at TEXT NOT NULL,"
        " ended_at TEXT,"
        " station TEXT NOT NULL,"
        " port TEXT NOT NULL,"
        " unit_id TEXT,"
        " unit_type INTEGER,"
        " firmware_before TEXT,"
        " firmware_after TEXT,"
        " config_json TEXT,"
        " image_xor INTEGER,"
        " image_sum BIGINT,"
        " verify TEXT NOT NULL,"
        " verdict TEXT NOT NULL,"
        " failure_reason TEXT)",
    },
    {
        "ALTER TABLE runs ADD COLUMN verify_offset BIGINT",
        // "mismatch at offset " is 19 characters.
        "UPDATE runs SET verify_offset = CAST(SUBSTR(verify, 20) AS BIGINT), verify = 'mismatch'"
        " WHERE verify LIKE 'mismatch at offset %'",
        "ALTER TABLE runs ADD COLUMN qr_label TEXT",
        "ALTER TABLE runs ADD COLUMN qr_match INTEGER",
        "CREATE INDEX runs_started_at ON runs (started_at)",
    },
    {
        // The station instance that owns a running run: only a dead one's
        // runs are taken for interrupted.
        "ALTER TABLE runs ADD COLUMN instance TEXT",
        "ALTER TABLE runs ADD COLUMN config_source TEXT",
        "ALTER TABLE runs ADD COLUMN config_sha256 TEXT",
        "ALTER TABLE runs ADD COLUMN firmware_target TEXT",
        "ALTER TABLE runs ADD COLUMN before_image TEXT",
        "CREATE INDEX runs_unit_id ON runs (unit_id)",
    },
    {
        // Why a run failed as a kind and its values (JSON), beside the
        // sentence; the stored sentences are read into kinds after this step.
        "ALTER TABLE runs ADD COLUMN failure_kind TEXT",
        "ALTER TABLE runs ADD COLUMN failure_values TEXT",
    },
};
static_assert(kSchemaVersion == 4, "one step per version");

bool isPostgres(const QSqlDatabase& db) { return db.driverName() == QLatin1String("QPSQL"); }

// The one write to other stations' rows: each stored sentence read into its
// kind and values, the sentence itself kept as it is.
bool kindsFromSentences(QSqlDatabase& db, QString* error) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, failure_reason FROM runs WHERE failure_reason IS NOT NULL"
                               " AND verdict IN ('failed', 'interrupted')"))) {
        *error = q.lastError().text();
        return false;
    }
    std::vector<std::pair<QString, words::Failure>> found;
    while (q.next()) found.emplace_back(q.value(0).toString(), failureOfSentence(q.value(1).toString()));
    QSqlQuery set(db);
    set.prepare(QStringLiteral("UPDATE runs SET failure_kind = ?, failure_values = ? WHERE id = ?"));
    for (const auto& [id, failure] : found) {
        set.bindValue(0, failure.kind);
        set.bindValue(1, words::valuesJson(failure.values));
        set.bindValue(2, id);
        if (!set.exec()) {
            *error = set.lastError().text();
            return false;
        }
    }
    QSqlQuery rest(db);
    if (!rest.exec(QStringLiteral("UPDATE runs SET failure_kind = 'interrupted', failure_values = '{}'"
                                  " WHERE verdict = 'interrupted' AND failure_kind IS NULL"))) {
        *error = rest.lastError().text();
        return false;
    }
    return true;
}

QString errorText(const QSqlError& error) {
    const QString text = error.text().simplified();
    return text.isEmpty() ? QStringLiteral("?") : text;
}

}  // namespace

SchemaCheck ensureSchema(QSqlDatabase& db, const QString& where, QString* error) {
    auto refuse = [&](const QString& message) {
        *error = message;
        db.rollback();
        return SchemaCheck::Refused;
    };
    auto fail = [&](const char* text, const QString& detail) {
        *error = QString::fromUtf8(text).arg(where, detail);
        db.rollback();
        return SchemaCheck::Failed;
    };
    if (!db.transaction()) return fail(texts::kSchemaFailed, errorText(db.lastError()));

    // Two stations opening a new shared database at once: the second waits
    // here and then finds the schema made.
    if (isPostgres(db)) {
        QSqlQuery lock(db);
        if (!lock.exec(QStringLiteral("SELECT pg_advisory_xact_lock(4207718)")))
            return fail(texts::kSchemaFailed, errorText(lock.lastError()));
    }

    const QStringList tables = db.tables(QSql::Tables);
    int version = 0;
    if (tables.contains(QStringLiteral("schema_version"))) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !q.next())
            return fail(texts::kUnreadableSchema, errorText(q.lastError()));
        if (q.value(0).isNull()) return refuse(vek::translated(texts::kNoSchemaVersion).arg(where));
        version = q.value(0).toInt();
    } else if (tables.contains(QStringLiteral("runs"))) {
        return refuse(vek::translated(texts::kNoSchemaVersion).arg(where));
    }

    if (version > kSchemaVersion)
        return refuse(vek::translated(texts::kNewerSchema).arg(where).arg(version).arg(kSchemaVersion));
    if (version == kSchemaVersion)
        return db.commit() ? SchemaCheck::Ready : fail(texts::kSchemaFailed, errorText(db.lastError()));

    for (std::size_t step = static_cast<std::size_t>(version); step < kSteps.size(); ++step) {
        for (const char* sql : kSteps[step]) {
            QSqlQuery q(db);
            if (!q.exec(QString::fromLatin1(sql))) return fail(texts::kSchemaFailed, errorText(q.lastError()));
        }
        if (step == 3) {
            QString why;
            if (!kindsFromSentences(db, &why)) return fail(texts::kSchemaFailed, why);
        }
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE schema_version SET version = ?"));
    q.addBindValue(kSchemaVersion);
    if (!q.exec()) return fail(texts::kSchemaFailed, errorText(q.lastError()));
    if (!db.commit()) return fail(texts::kSchemaFailed, errorText(db.lastError()));
    return SchemaCheck::Ready;
}

}  // namespace vek::records
