#include "output/automation/automation.h"

#include <QStringList>

TautoValue::TautoValue(std::shared_ptr<IAutoObject> object) : m_value(std::move(object)) {}

TautoValue::TautoValue(TautoBlock block)
    : m_value(std::make_shared<const TautoBlock>(std::move(block)))
{
}

namespace {

QString For(const QString &what)
{
    return what.isEmpty() ? QString() : QStringLiteral("%1: ").arg(what);
}

} // namespace

QString TautoValue::ToString(const QString &what) const
{
    switch (Kind()) {
    case TKind::Empty:
        return {};
    case TKind::String:
        return std::get<QString>(m_value);
    case TKind::Integer:
        return QString::number(std::get<std::int32_t>(m_value));
    case TKind::Boolean:
        return std::get<bool>(m_value) ? QStringLiteral("True") : QStringLiteral("False");
    default:
        throw EAutomationError(
            QStringLiteral("%1a text was expected, not %2").arg(For(what), Describe()));
    }
}

std::int32_t TautoValue::ToInteger(const QString &what) const
{
    switch (Kind()) {
    case TKind::Empty:
        return 0;
    case TKind::Integer:
        return std::get<std::int32_t>(m_value);
    case TKind::Boolean:
        return std::get<bool>(m_value) ? -1 : 0;
    case TKind::String: {
        bool ok = false;
        const std::int32_t number = std::get<QString>(m_value).trimmed().toInt(&ok);
        if (ok)
            return number;
        break;
    }
    default:
        break;
    }
    throw EAutomationError(QStringLiteral("%1a number was expected, not %2").arg(For(what), Describe()));
}

bool TautoValue::ToBoolean(const QString &what) const
{
    switch (Kind()) {
    case TKind::Empty:
        return false;
    case TKind::Boolean:
        return std::get<bool>(m_value);
    case TKind::Integer:
        return std::get<std::int32_t>(m_value) != 0;
    case TKind::String: {
        const QString text = std::get<QString>(m_value).trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        break;
    }
    default:
        break;
    }
    throw EAutomationError(
        QStringLiteral("%1True or False was expected, not %2").arg(For(what), Describe()));
}

std::shared_ptr<IAutoObject> TautoValue::ToObject(const QString &what) const
{
    if (Kind() == TKind::Object && std::get<std::shared_ptr<IAutoObject>>(m_value))
        return std::get<std::shared_ptr<IAutoObject>>(m_value);
    throw EAutomationError(QStringLiteral("%1an object was expected, not %2").arg(For(what), Describe()));
}

const TautoBlock &TautoValue::ToBlock(const QString &what) const
{
    if (Kind() == TKind::Block)
        return *std::get<std::shared_ptr<const TautoBlock>>(m_value);
    throw EAutomationError(
        QStringLiteral("%1a block of values was expected, not %2").arg(For(what), Describe()));
}

QString TautoValue::Describe() const
{
    switch (Kind()) {
    case TKind::Empty:
        return QStringLiteral("Empty");
    case TKind::String:
        return QLatin1Char('"') + std::get<QString>(m_value) + QLatin1Char('"');
    case TKind::Integer:
    case TKind::Boolean:
        return ToString();
    case TKind::Object:
        return QStringLiteral("[object]");
    case TKind::Block: {
        const TautoBlock &block = *std::get<std::shared_ptr<const TautoBlock>>(m_value);
        return QStringLiteral("[%1 x %2 block]").arg(block.Rows()).arg(block.Columns());
    }
    }
    return {};
}

IAutoObject &TautoValue::Target(const QString &member) const
{
    if (Kind() != TKind::Object || !std::get<std::shared_ptr<IAutoObject>>(m_value))
        throw EAutomationError(
            QStringLiteral("%1: called on %2, which is not an object").arg(member, Describe()));
    return *std::get<std::shared_ptr<IAutoObject>>(m_value);
}

TautoValue TautoValue::Get(const QString &member) const
{
    return Target(member).GetProperty(member, TautoArgs());
}

TautoValue TautoValue::Get(const QString &member, const TautoArgs &args) const
{
    return Target(member).GetProperty(member, args);
}

void TautoValue::Put(const QString &member, const TautoValue &value) const
{
    Target(member).PutProperty(member, TautoArgs(), value);
}

void TautoValue::Put(const QString &member, const TautoArgs &args, const TautoValue &value) const
{
    Target(member).PutProperty(member, args, value);
}

TautoValue TautoValue::Call(const QString &member) const
{
    return Target(member).CallMethod(member, TautoArgs());
}

TautoValue TautoValue::Call(const QString &member, const TautoArgs &args) const
{
    return Target(member).CallMethod(member, args);
}

TautoBlock::TautoBlock(std::int32_t rows, std::int32_t columns)
    : m_rows(rows < 0 ? 0 : rows), m_columns(columns < 0 ? 0 : columns),
      m_values(std::size_t(m_rows) * std::size_t(m_columns))
{
}

TautoArgs TautoArgs::Named(std::initializer_list<TnamedArg> named)
{
    TautoArgs args;
    args.Named_.assign(named.begin(), named.end());
    return args;
}

QString TautoArgs::Describe() const
{
    if (IsEmpty())
        return {};
    QStringList parts;
    for (const TautoValue &value : Positional)
        parts << value.Describe();
    for (const TnamedArg &arg : Named_)
        parts << QStringLiteral("%1:=%2").arg(arg.Name, arg.Value.Describe());
    return QLatin1Char('(') + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}
