#pragma once
// apsRegistry: the one per-user store of named values that every window and the data module keep
// their options in. It sits on QSettings in INI form (organisation "Tesmo", application "ZEL", so
// the file is the root key "Software\Tesmo\ZEL"); each owner's sub-key is an INI group. Booleans
// are written as the words "TRUE" and "FALSE" and read leniently, so a hand-edited file still works.
#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class TsettingsStore {
public:
    // The user's own store (QSettings' per-user INI file).
    TsettingsStore();
    // A store kept in the given INI file: tests and tools never touch the user's settings.
    explicit TsettingsStore(const QString &iniFileName);

    static inline const QString TrueWord = QStringLiteral("TRUE");
    static inline const QString FalseWord = QStringLiteral("FALSE");

    // Reads a stored Boolean: "TRUE", "YES", "Y" and "FALSE", "NO", "N" in any letter case; a
    // whole number counts as true when it is not 0; anything else reads as absent.
    std::optional<bool> ReadBool(const QString &subKey, const QString &name) const;
    std::optional<int> ReadInteger(const QString &subKey, const QString &name) const;
    std::optional<QString> ReadString(const QString &subKey, const QString &name) const;

    void WriteBool(const QString &subKey, const QString &name, bool value);
    void WriteInteger(const QString &subKey, const QString &name, int value);
    void WriteString(const QString &subKey, const QString &name, const QString &value);

    // Writes pending values to the file now (QSettings would do it later on its own).
    void Flush();
    QString FileName() const { return m_settings->fileName(); }

    static std::optional<bool> ParseBool(const QString &text);

private:
    std::optional<QVariant> Read(const QString &subKey, const QString &name) const;
    void Write(const QString &subKey, const QString &name, const QVariant &value);

    std::unique_ptr<QSettings> m_settings;
};
