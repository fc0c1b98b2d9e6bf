#pragma once
// Creation of automation objects from a ProgID, the way a client asks the system for a server by
// name. The servers are in-process: a table maps each ProgID to a factory. The program's own
// spreadsheet server answers to "Excel.Application" from the start; tests put a recording server
// in its place for the life of a TautoServerRegistration.
#include "output/automation/automation.h"

#include <functional>

using TautoServerFactory = std::function<std::shared_ptr<IAutoObject>()>;

// A new object of the server registered under progId. Throws EAutomationError when no server
// answers to that name or the server cannot start.
TautoValue CreateOleObject(const QString &progId);

// Registers factory under progId while it lives and restores what was registered before (also
// "nothing", so a test can make a ProgID unknown with an empty factory).
class TautoServerRegistration {
public:
    TautoServerRegistration(const QString &progId, TautoServerFactory factory);
    ~TautoServerRegistration();
    TautoServerRegistration(const TautoServerRegistration &) = delete;
    TautoServerRegistration &operator=(const TautoServerRegistration &) = delete;

private:
    QString m_progId;
    TautoServerFactory m_previous;
};
