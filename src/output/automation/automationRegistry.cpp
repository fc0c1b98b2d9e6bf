#include "output/automation/automationRegistry.h"

#include "output/excelServer/excelApplication.h"

#include <QHash>

namespace {

// ProgIDs are matched without regard to case, as the system's class registry does.
QHash<QString, TautoServerFactory> &Servers()
{
    static QHash<QString, TautoServerFactory> servers = [] {
        QHash<QString, TautoServerFactory> table;
        table.insert(QStringLiteral("excel.application"), &CreateExcelApplication);
        return table;
    }();
    return servers;
}

} // namespace

TautoValue CreateOleObject(const QString &progId)
{
    const auto found = Servers().constFind(progId.toLower());
    if (found == Servers().constEnd() || !*found)
        throw EAutomationError(QStringLiteral("Invalid class string: no automation server is "
                                              "registered as \"%1\"")
                                   .arg(progId));
    std::shared_ptr<IAutoObject> object = (*found)();
    if (!object)
        throw EAutomationError(QStringLiteral("The automation server \"%1\" did not start").arg(progId));
    return TautoValue(std::move(object));
}

TautoServerRegistration::TautoServerRegistration(const QString &progId, TautoServerFactory factory)
    : m_progId(progId.toLower()), m_previous(Servers().value(m_progId))
{
    Servers().insert(m_progId, std::move(factory));
}

TautoServerRegistration::~TautoServerRegistration()
{
    Servers().insert(m_progId, std::move(m_previous));
}
