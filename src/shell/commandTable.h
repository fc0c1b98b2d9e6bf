#pragma once
// The one table of user commands. Every menu item and toolbar button points at one of these
// actions and shows its caption, picture, shortcut and hint. Each action can carry an enabled rule
// (re-evaluated whenever the user interface goes idle after input) and a handler that runs inside
// the error guard, so a failing command shows its message and the program runs on.
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QActionGroup;
struct TimageLists;

class TcommandTable : public QObject {
    Q_OBJECT
public:
    TcommandTable(const TimageLists &images, QObject *parent);
    ~TcommandTable() override;

    QAction *actStart = nullptr;
    QAction *actFileOpen = nullptr;
    QAction *actFileSave = nullptr;
    QAction *actFileSaveAs = nullptr;
    QAction *actPreview = nullptr;
    QAction *actPrint = nullptr;
    QAction *actDraw = nullptr;
    QAction *actViewSymbolsOnly = nullptr;
    QAction *actViewHalfTone = nullptr;
    QAction *actViewSymbolsAndColors = nullptr;
    QAction *actViewColorsOnly = nullptr;
    QAction *actExit = nullptr;
    QAction *actViewThreads = nullptr;
    QAction *actTBBigButtons = nullptr;
    QAction *actTBCaptions = nullptr;
    QAction *actAbout = nullptr;
    QActionGroup *ViewModeGroup = nullptr;  // radio group 1

    const std::vector<QAction *> &Actions() const { return m_actions; }
    QAction *Action(const QString &name) const;
    static QString Category(const QAction *action);
    static int PictureIndex(const QAction *action);  // -1 when the command has no picture

    void SetEnabledRule(QAction *action, std::function<bool()> rule);
    // The handler runs guarded; after it the enabled rules are evaluated again.
    void SetHandler(QAction *action, std::function<void()> handler);
    // Evaluates every enabled rule now.
    void UpdateActions();
    // Evaluates them once the event queue is empty again.
    void ScheduleUpdate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *Make(const char *name, const char *category, const char *caption, const char *hint,
                  const char *shortcut, int picture);

    const TimageLists &m_images;
    std::vector<QAction *> m_actions;
    std::map<QAction *, std::function<bool()>> m_rules;
    QTimer m_idle;
};
