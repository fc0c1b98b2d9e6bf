#pragma once
// fstDataModule / fstMainForm / fstWizard: the stored options of one owner. An owner lists the
// values it keeps (name, kind, how to read and set it) and, for a window, its window state; the
// storage writes them under the owner's sub-key of the settings store and reads them back in list
// order. Owners that are not windows share the sub-key named literally "%FORM_NAME%", because the
// path pattern is only filled in with the owner's name when the owner is a window.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QWidget;
class TsettingsStore;

enum class TwindowShowState { Normal, Maximized, MinimizedApplication };

// "ShowCmd" as read back: 1, 5, 9 normal; 3 maximised; 2, 6, 7 normal with the application
// minimised once it runs; anything else or nothing maximised.
TwindowShowState ShowCmdToState(std::optional<int> showCmd);
// "ShowCmd" as written: 2 minimised (window or application), 3 maximised, 1 otherwise.
int ShowCmdOf(const QWidget &window);

class TformStorage {
public:
    static inline const QString PathPattern = QStringLiteral("%FORM_NAME%\\");
    static inline const QString FormVersionName = QStringLiteral("FormVersion");
    static inline const QString ShowCmdName = QStringLiteral("ShowCmd");

    // ownerName is the owner's object name; it only names the sub-key when ownerIsWindow.
    TformStorage(TsettingsStore &store, const QString &ownerName, bool ownerIsWindow);

    QString SubKey() const { return m_subKey; }

    // The window whose state ("ShowCmd") is stored; the function applies a restored state.
    void StoreWindowState(QWidget *window, std::function<void(TwindowShowState)> apply);

    // The stored value name is "<component>_<property>".
    void AddBool(const QString &component, const QString &property, std::function<bool()> get,
                 std::function<void(bool)> set);
    void AddInteger(const QString &component, const QString &property, std::function<int()> get,
                    std::function<void(int)> set);
    void AddString(const QString &component, const QString &property, std::function<QString()> get,
                   std::function<void(const QString &)> set);

    // Runs after a restore that applied the stored values.
    std::function<void()> OnRestorePlacement;

    // Skips everything when the stored "FormVersion" is below 0; values that are absent or
    // unreadable keep what the owner holds.
    void Restore();
    void Save();

private:
    struct Titem {
        QString name;
        std::function<void()> restore;
        std::function<void()> save;
    };

    TsettingsStore &m_store;
    QString m_subKey;
    QWidget *m_window = nullptr;
    std::function<void(TwindowShowState)> m_applyWindowState;
    std::vector<Titem> m_items;
};
