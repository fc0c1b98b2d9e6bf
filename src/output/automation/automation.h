#pragma once
// Late-bound automation: objects whose members are named at run time, as an automation client
// calls a server it knows only by name. TautoValue carries the values that travel with such calls
// (strings, integers, Booleans, objects and two-dimensional value blocks); IAutoObject is what a
// server implements. A member a server does not know, or arguments it cannot take, fail with an
// EAutomationError whose text names the member.
#include "common/KanvoError.h"

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <variant>
#include <vector>

class IAutoObject;
class TautoBlock;
class TautoArgs;

// Failure reported by an automation server.
class EAutomationError : public EKanvoError {
public:
    using EKanvoError::EKanvoError;
};

class TautoValue {
public:
    enum class TKind { Empty, String, Integer, Boolean, Object, Block };

    TautoValue() = default;
    TautoValue(const QString &text) : m_value(text) {}
    TautoValue(const char *text) : m_value(QString::fromUtf8(text)) {}
    TautoValue(std::int32_t number) : m_value(number) {}
    TautoValue(bool flag) : m_value(flag) {}
    TautoValue(std::shared_ptr<IAutoObject> object);
    TautoValue(TautoBlock block);

    TKind Kind() const { return TKind(m_value.index()); }
    bool IsEmpty() const { return Kind() == TKind::Empty; }

    // Conversions as an automation server applies them to its arguments; a value that cannot be
    // converted throws EAutomationError naming `what` (the member the value was meant for).
    QString ToString(const QString &what = {}) const;
    std::int32_t ToInteger(const QString &what = {}) const;
    bool ToBoolean(const QString &what = {}) const;
    std::shared_ptr<IAutoObject> ToObject(const QString &what = {}) const;
    const TautoBlock &ToBlock(const QString &what = {}) const;

    // The value as a script would write it: "text" quoted, 12, True, [object], [2 x 3 block].
    QString Describe() const;

    // Member access on an object value (the value must hold an object).
    TautoValue Get(const QString &member) const;
    TautoValue Get(const QString &member, const TautoArgs &args) const;
    void Put(const QString &member, const TautoValue &value) const;
    void Put(const QString &member, const TautoArgs &args, const TautoValue &value) const;
    TautoValue Call(const QString &member) const;
    TautoValue Call(const QString &member, const TautoArgs &args) const;

private:
    IAutoObject &Target(const QString &member) const;

    std::variant<std::monostate, QString, std::int32_t, bool, std::shared_ptr<IAutoObject>,
                 std::shared_ptr<const TautoBlock>>
        m_value;
};

// A rectangle of values indexed from 0 in both dimensions, written into cells in one call.
class TautoBlock {
public:
    TautoBlock(std::int32_t rows, std::int32_t columns);

    std::int32_t Rows() const { return m_rows; }
    std::int32_t Columns() const { return m_columns; }
    TautoValue &At(std::int32_t row, std::int32_t column)
    {
        return m_values[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)];
    }
    const TautoValue &At(std::int32_t row, std::int32_t column) const
    {
        return m_values[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)];
    }

private:
    std::int32_t m_rows;
    std::int32_t m_columns;
    std::vector<TautoValue> m_values;
};

struct TnamedArg {
    QString Name;
    TautoValue Value;
};

// The arguments of one call: positional ones in order, then named ones.
class TautoArgs {
public:
    TautoArgs() = default;
    TautoArgs(std::initializer_list<TautoValue> positional) : Positional(positional) {}
    static TautoArgs Named(std::initializer_list<TnamedArg> named);

    std::vector<TautoValue> Positional;
    std::vector<TnamedArg> Named_;

    bool IsEmpty() const { return Positional.empty() && Named_.empty(); }
    // "(1, 2, After:=[object])", for logs and messages; empty text when there are no arguments.
    QString Describe() const;
};

// What an automation server implements: get and put of plain and indexed properties and method
// calls. Member names are matched without regard to case, as automation does.
class IAutoObject {
public:
    virtual ~IAutoObject() = default;
    virtual TautoValue GetProperty(const QString &member, const TautoArgs &args) = 0;
    virtual void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) = 0;
    virtual TautoValue CallMethod(const QString &member, const TautoArgs &args) = 0;
};

// Member name comparison as automation does it (case ignored).
inline bool SameMember(const QString &member, const char *name)
{
    return member.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}
