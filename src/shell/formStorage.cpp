#include "shell/formStorage.h"

#include "shell/settingsStore.h"

#include <QWidget>

TwindowShowState ShowCmdToState(std::optional<int> showCmd)
{
    switch (showCmd.value_or(0)) {
    case 1:
    case 5:
    case 9:
        return TwindowShowState::Normal;
    case 2:
    case 6:
    case 7:
        return TwindowShowState::MinimizedApplication;
    default:
        return TwindowShowState::Maximized;
    }
}

int ShowCmdOf(const QWidget &window)
{
    if (window.isMinimized())
        return 2;
    if (window.isMaximized())
        return 3;
    return 1;
}

TformStorage::TformStorage(TsettingsStore &store, const QString &ownerName, bool ownerIsWindow)
    : m_store(store)
{
    QString path = PathPattern;
    if (ownerIsWindow)
        path.replace(QStringLiteral("%FORM_NAME%"), ownerName);
    // The pattern ends with the key separator; the store wants the bare sub-key.
    m_subKey = path.chopped(1);
}

void TformStorage::StoreWindowState(QWidget *window, std::function<void(TwindowShowState)> apply)
{
    m_window = window;
    m_applyWindowState = std::move(apply);
}

void TformStorage::AddBool(const QString &component, const QString &property,
                           std::function<bool()> get, std::function<void(bool)> set)
{
    const QString name = component + QLatin1Char('_') + property;
    m_items.push_back({name,
                       [this, name, set] {
                           if (const auto value = m_store.ReadBool(m_subKey, name))
                               set(*value);
                       },
                       [this, name, get] { m_store.WriteBool(m_subKey, name, get()); }});
}

void TformStorage::AddInteger(const QString &component, const QString &property,
                              std::function<int()> get, std::function<void(int)> set)
{
    const QString name = component + QLatin1Char('_') + property;
    m_items.push_back({name,
                       [this, name, set] {
                           if (const auto value = m_store.ReadInteger(m_subKey, name))
                               set(*value);
                       },
                       [this, name, get] { m_store.WriteInteger(m_subKey, name, get()); }});
}

void TformStorage::AddString(const QString &component, const QString &property,
                             std::function<QString()> get, std::function<void(const QString &)> set)
{
    const QString name = component + QLatin1Char('_') + property;
    m_items.push_back({name,
                       [this, name, set] {
                           if (const auto value = m_store.ReadString(m_subKey, name))
                               set(*value);
                       },
                       [this, name, get] { m_store.WriteString(m_subKey, name, get()); }});
}

void TformStorage::Restore()
{
    if (m_store.ReadInteger(m_subKey, FormVersionName).value_or(0) < 0)
        return;
    if (m_window && m_applyWindowState)
        m_applyWindowState(ShowCmdToState(m_store.ReadInteger(m_subKey, ShowCmdName)));
    for (const Titem &item : m_items)
        item.restore();
    if (OnRestorePlacement)
        OnRestorePlacement();
}

void TformStorage::Save()
{
    m_store.WriteInteger(m_subKey, FormVersionName, 0);
    if (m_window)
        m_store.WriteInteger(m_subKey, ShowCmdName, ShowCmdOf(*m_window));
    for (const Titem &item : m_items)
        item.save();
    m_store.Flush();
}
