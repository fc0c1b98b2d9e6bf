#include "shell/settingsStore.h"

namespace {
QString KeyOf(const QString &subKey, const QString &name)
{
    return subKey + QLatin1Char('/') + name;
}
}  // namespace

TsettingsStore::TsettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Tesmo"), QStringLiteral("ZEL")))
{
}

TsettingsStore::TsettingsStore(const QString &iniFileName)
    : m_settings(std::make_unique<QSettings>(iniFileName, QSettings::IniFormat))
{
}

std::optional<bool> TsettingsStore::ParseBool(const QString &text)
{
    const QString word = text.trimmed().toUpper();
    if (word == QLatin1String("TRUE") || word == QLatin1String("YES") || word == QLatin1String("Y"))
        return true;
    if (word == QLatin1String("FALSE") || word == QLatin1String("NO") || word == QLatin1String("N"))
        return false;
    bool isNumber = false;
    const qlonglong number = word.toLongLong(&isNumber);
    if (isNumber)
        return number != 0;
    return std::nullopt;
}

std::optional<QVariant> TsettingsStore::Read(const QString &subKey, const QString &name) const
{
    const QVariant value = m_settings->value(KeyOf(subKey, name));
    if (!value.isValid())
        return std::nullopt;
    return value;
}

void TsettingsStore::Write(const QString &subKey, const QString &name, const QVariant &value)
{
    m_settings->setValue(KeyOf(subKey, name), value);
}

std::optional<bool> TsettingsStore::ReadBool(const QString &subKey, const QString &name) const
{
    const auto value = Read(subKey, name);
    if (!value)
        return std::nullopt;
    return ParseBool(value->toString());
}

std::optional<int> TsettingsStore::ReadInteger(const QString &subKey, const QString &name) const
{
    const auto value = Read(subKey, name);
    if (!value)
        return std::nullopt;
    bool isNumber = false;
    const int number = value->toString().trimmed().toInt(&isNumber);
    if (!isNumber)
        return std::nullopt;
    return number;
}

std::optional<QString> TsettingsStore::ReadString(const QString &subKey, const QString &name) const
{
    const auto value = Read(subKey, name);
    if (!value)
        return std::nullopt;
    return value->toString();
}

void TsettingsStore::WriteBool(const QString &subKey, const QString &name, bool value)
{
    Write(subKey, name, value ? TrueWord : FalseWord);
}

void TsettingsStore::WriteInteger(const QString &subKey, const QString &name, int value)
{
    Write(subKey, name, value);
}

void TsettingsStore::WriteString(const QString &subKey, const QString &name, const QString &value)
{
    Write(subKey, name, value);
}

void TsettingsStore::Flush()
{
    m_settings->sync();
}
