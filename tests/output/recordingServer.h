#pragma once
// A stand-in for the spreadsheet application that writes down the calls it gets, one line each:
//   Sheet1.Rows(3).RowHeight := 9          a property put
//   Book.WorkSheets.Count -> 3             a property read that gives a value
//   App.WorkBooks.Add() -> Book            a method call
// Objects are named by the path that reached them; sheets by the name the application gave them
// when it made them (Sheet1..Sheet3 for a new workbook, Sheet4... for added ones), so the lines
// read like the call sequence itself. Lines containing a text of FailOn fail with a message.
#include "output/automation/automationRegistry.h"

#include <QStringList>
#include <memory>

struct TrecordLog {
    QStringList Lines;
    std::vector<TautoBlock> Blocks;  // the value blocks put, in order
    QStringList FailOn;
    QStringList Sheets{QStringLiteral("Sheet1"), QStringLiteral("Sheet2"), QStringLiteral("Sheet3")};
    int NextSheet = 4;

    // Fails (and notes "! line") when FailOn names the call.
    void Check(const QString &line)
    {
        for (const QString &text : FailOn)
            if (line.contains(text)) {
                Lines << QStringLiteral("! ") + line;
                throw EAutomationError(QStringLiteral("Recorded failure at %1").arg(line));
            }
    }
    void Record(const QString &line)
    {
        Check(line);
        Lines << line;
    }
    // The lines containing text.
    QStringList With(const QString &text) const { return Lines.filter(text); }
};

class TrecordingObject : public IAutoObject, public std::enable_shared_from_this<TrecordingObject> {
public:
    TrecordingObject(std::shared_ptr<TrecordLog> log, QString name) : m_log(std::move(log)), m_name(std::move(name)) {}
    const QString &Name() const { return m_name; }

    TautoValue GetProperty(const QString &member, const TautoArgs &args) override
    {
        const QString path = m_name + QLatin1Char('.') + member + Describe(args);
        if (m_name == QLatin1String("Book") && member == QLatin1String("WorkSheets") && !args.IsEmpty()) {
            const int index = args.Positional.at(0).ToInteger();
            m_log->Check(path);
            if (index < 1 || index > m_log->Sheets.size())
                throw EAutomationError(QStringLiteral("%1: no such sheet").arg(path));
            return Child(m_log->Sheets.at(index - 1));
        }
        if (member == QLatin1String("Count")) {
            const TautoValue count = std::int32_t(m_log->Sheets.size());
            m_log->Record(path + QStringLiteral(" -> ") + count.Describe());
            return count;
        }
        if (member == QLatin1String("Address")) {
            const QString kind = m_name.section(QLatin1Char('.'), -1);
            const int index = kind.section(QLatin1Char('('), 1).chopped(1).toInt();
            const QString letters = kind.startsWith(QLatin1String("Rows")) ? QString::number(index)
                                                                           : QString(QChar(u'A' + index - 1));
            const TautoValue address = QStringLiteral("$%1:$%1").arg(letters);
            m_log->Record(path + QStringLiteral(" -> ") + address.Describe());
            return address;
        }
        if (member == QLatin1String("Cells"))
            return Child(QStringLiteral("Cells(%1,%2)").arg(args.Positional.at(0).ToInteger()).arg(args.Positional.at(1).ToInteger()));
        m_log->Check(path);  // reaching an object is not written down, but may fail
        return Child(path);
    }

    void PutProperty(const QString &member, const TautoArgs &args, const TautoValue &value) override
    {
        if (value.Kind() == TautoValue::TKind::Block)
            m_log->Blocks.push_back(value.ToBlock());
        m_log->Record(m_name + QLatin1Char('.') + member + Describe(args) + QStringLiteral(" := ") + DescribeValue(value));
    }

    TautoValue CallMethod(const QString &member, const TautoArgs &args) override
    {
        // Describe wraps non-empty arguments in brackets already; a call always shows them.
        const QString described = Describe(args);
        const QString path = m_name + QLatin1Char('.') + member
                             + (described.isEmpty() ? QStringLiteral("()") : described);
        if (member == QLatin1String("Add") && m_name.endsWith(QLatin1String("WorkBooks"))) {
            m_log->Record(path + QStringLiteral(" -> Book"));
            return Child(QStringLiteral("Book"));
        }
        if (member == QLatin1String("Add") && m_name.endsWith(QLatin1String("WorkSheets"))) {
            const QString name = QStringLiteral("Sheet%1").arg(m_log->NextSheet++);
            const auto after = std::dynamic_pointer_cast<TrecordingObject>(args.Named_.at(0).Value.ToObject());
            m_log->Record(path + QStringLiteral(" -> ") + name);
            m_log->Sheets.insert(m_log->Sheets.indexOf(after->Name()) + 1, name);
            return Child(name);
        }
        m_log->Record(path);
        return {};
    }

    static QString DescribeValue(const TautoValue &value)
    {
        if (value.Kind() == TautoValue::TKind::Object)
            return std::dynamic_pointer_cast<TrecordingObject>(value.ToObject())->Name();
        return value.Describe();
    }

private:
    TautoValue Child(const QString &name) const
    {
        return TautoValue(std::make_shared<TrecordingObject>(m_log, name));
    }

    static QString Describe(const TautoArgs &args)
    {
        if (args.IsEmpty())
            return {};
        QStringList parts;
        for (const TautoValue &value : args.Positional)
            parts << DescribeValue(value);
        for (const TnamedArg &arg : args.Named_)
            parts << arg.Name + QStringLiteral(":=") + DescribeValue(arg.Value);
        return QLatin1Char('(') + parts.join(QLatin1Char(',')) + QLatin1Char(')');
    }

    std::shared_ptr<TrecordLog> m_log;
    QString m_name;
};

// Puts a recording server under "Excel.Application" while it lives.
class TrecordingServer {
public:
    TrecordingServer()
        : Log(std::make_shared<TrecordLog>()),
          m_registration(QStringLiteral("Excel.Application"),
                         [log = Log] { return std::make_shared<TrecordingObject>(log, QStringLiteral("App")); })
    {
    }
    std::shared_ptr<TrecordLog> Log;

private:
    TautoServerRegistration m_registration;
};
