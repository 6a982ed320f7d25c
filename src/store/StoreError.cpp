#include "store/StoreError.h"

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
    bool ok = false;
    int number = error.nativeErrorCode().toInt(&ok);
    if (!ok || number == 0)
        number = code::Error;
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    if (text.isEmpty())
        text = QStringLiteral("unknown database error");
    return StoreError(number, text, source);
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
