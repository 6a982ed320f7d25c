#include "store/StoreError.h"

#include "store/Dialect.h"

#include <QSqlError>

namespace store {

StoreError::StoreError(int code, QString message, QString source)
    : std::runtime_error(QStringLiteral("%1 (%2, code %3)").arg(message, source).arg(code).toStdString())
    , m_code(code)
    , m_message(std::move(message))
    , m_source(std::move(source))
{
}

StoreError StoreError::fromSql(const QSqlError& error, const QString& source)
{
    const int number = Dialect::errorCode(error.nativeErrorCode());
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    if (text.isEmpty())
        text = QStringLiteral("unknown database error");
    return StoreError(number, text, source);
}

QString StoreError::explanation() const
{
    QString plain;
    switch (primaryCode()) {
    case code::Busy:
    case code::Locked:
        plain = QStringLiteral("The database is in use by another program. Nothing was changed; please try again "
                               "in a moment.");
        break;
    case code::ReadOnly:
        plain = QStringLiteral("The database file is read-only: GearLog can show it but cannot change it.");
        break;
    case code::Corrupt:
    case code::NotADatabase:
        plain = QStringLiteral("The database file is damaged.");
        break;
    case 13: // SQLITE_FULL
        plain = QStringLiteral("The disk is full. Nothing was changed.");
        break;
    default:
        break;
    }
    const QString detail = QStringLiteral("%1\n(Error #%2, %3)").arg(m_message).arg(m_code).arg(m_source);
    return plain.isEmpty() ? detail : plain + QStringLiteral("\n\n") + detail;
}

static std::string describe(const QList<StoreError>& errors)
{
    std::string text = "the database could not be opened";
    for (const auto& e : errors)
        text += std::string("; ") + e.what();
    return text;
}

OpenFailure::OpenFailure(QList<StoreError> errors)
    : std::runtime_error(describe(errors))
    , m_errors(std::move(errors))
{
}

} // namespace store
