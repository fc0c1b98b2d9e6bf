#include "shell/commandTable.h"

#include "shell/errorDisplay.h"
#include "shell/imageLists.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QKeySequence>

namespace {
const char *const CategoryProperty = "category";
const char *const PictureProperty = "pictureIndex";
}  // namespace

TcommandTable::TcommandTable(const TimageLists &images, QObject *parent)
    : QObject(parent), m_images(images)
{
    setObjectName(QStringLiteral("alMain"));
    actStart = Make("actStart", "File", "New scheme...", "Create new scheme with wizard", "Ctrl+N", 0);
    actFileOpen = Make("actFileOpen", "File", "Open...", "Open existing scheme", "Ctrl+O", 1);
    actFileSave = Make("actFileSave", "File", "Save", "Save scheme", "Ctrl+S", 2);
    actFileSaveAs = Make("actFileSaveAs", "File", "Save As...", "Save scheme into new file", nullptr, -1);
    actPreview = Make("actPreview", "File", "Print Preview...", "Preview print result", nullptr, 10);
    actPrint = Make("actPrint", "File", "Print...", "Print scheme", "Ctrl+P", 3);
    actDraw = Make("actDraw", "Editor", "Draw", "Set drawing mode", nullptr, 5);
    actViewSymbolsOnly = Make("actViewSymbolsOnly", "View mode", "Symbols only", "Draw symbols only", nullptr, 6);
    actViewHalfTone = Make("actViewHalfTone", "View mode", "Half-tone colors",
                           "Draw symbols on half-tone colors", nullptr, 7);
    actViewSymbolsAndColors = Make("actViewSymbolsAndColors", "View mode", "Symbols and colors",
                                   "Draw both symbols and colors", nullptr, 8);
    actViewColorsOnly = Make("actViewColorsOnly", "View mode", "Colors only", "Draw colors only", nullptr, 9);
    actExit = Make("actExit", "File", "Exit", "Close program", nullptr, -1);
    actViewThreads = Make("actViewThreads", "Editor", "Threads kit...", "Open threads kit dialog", nullptr, -1);
    actTBBigButtons = Make("actTBBigButtons", "Toolbox", "Big buttons", "Switch between big and small buttons",
                           nullptr, -1);
    actTBCaptions = Make("actTBCaptions", "Toolbox", "Show captions", "Show or hide button captions", nullptr, -1);
    actAbout = Make("actAbout", "Help", "About...", "Show about information", nullptr, -1);

    actDraw->setCheckable(true);
    // In the menu the drawing mode shows as a tick; a ticked picture is hard to tell from an
    // unticked one there.
    actDraw->setIconVisibleInMenu(false);
    ViewModeGroup = new QActionGroup(this);
    ViewModeGroup->setObjectName(QStringLiteral("grpViewMode"));
    ViewModeGroup->setExclusive(true);
    for (QAction *view : {actViewSymbolsOnly, actViewHalfTone, actViewSymbolsAndColors, actViewColorsOnly}) {
        view->setCheckable(true);
        ViewModeGroup->addAction(view);
    }
    actViewHalfTone->setChecked(true);
    // These two toggle their own tick; checkable so menus show it.
    actTBBigButtons->setCheckable(true);
    actTBBigButtons->setChecked(true);
    actTBCaptions->setCheckable(true);
    actTBCaptions->setChecked(true);

    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &TcommandTable::UpdateActions);
    if (qApp)
        qApp->installEventFilter(this);
}

TcommandTable::~TcommandTable()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

QAction *TcommandTable::Make(const char *name, const char *category, const char *caption, const char *hint,
                             const char *shortcut, int picture)
{
    auto *action = new QAction(QString::fromLatin1(caption), this);
    action->setObjectName(QLatin1String(name));
    action->setProperty(CategoryProperty, QString::fromLatin1(category));
    action->setProperty(PictureProperty, picture);
    action->setToolTip(QString::fromLatin1(hint));
    if (shortcut)
        action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    if (picture >= 0)
        action->setIcon(m_images.ilMainActive.Icon(picture));
    // Menu texts are plain captions; an ampersand would otherwise be read as a mnemonic.
    action->setIconText(QString::fromLatin1(caption));
    m_actions.push_back(action);
    return action;
}

QAction *TcommandTable::Action(const QString &name) const
{
    for (QAction *action : m_actions)
        if (action->objectName() == name)
            return action;
    return nullptr;
}

QString TcommandTable::Category(const QAction *action)
{
    return action->property(CategoryProperty).toString();
}

int TcommandTable::PictureIndex(const QAction *action)
{
    return action->property(PictureProperty).toInt();
}

void TcommandTable::SetEnabledRule(QAction *action, std::function<bool()> rule)
{
    m_rules[action] = std::move(rule);
    action->setEnabled(m_rules[action]());
}

void TcommandTable::SetHandler(QAction *action, std::function<void()> handler)
{
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        RunGuarded(handler);
        ScheduleUpdate();
    });
}

void TcommandTable::UpdateActions()
{
    for (const auto &[action, rule] : m_rules) {
        bool enabled = false;
        RunGuarded([&] { enabled = rule(); });
        action->setEnabled(enabled);
    }
}

void TcommandTable::ScheduleUpdate()
{
    if (!m_idle.isActive())
        m_idle.start();
}

bool TcommandTable::eventFilter(QObject *watched, QEvent *event)
{
    // The state that decides enabling only changes in answer to the user, so the rules run once
    // the queue is empty after each input event rather than on a polling timer.
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::WindowActivate:
    case QEvent::Show:
        ScheduleUpdate();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
