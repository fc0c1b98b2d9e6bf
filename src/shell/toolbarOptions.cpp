#include "shell/toolbarOptions.h"

#include <QAction>
#include <QToolBar>

TtoolbarLook ToolbarLookFor(bool bigButtons, bool captions)
{
    const int size = bigButtons ? 48 : 16;
    if (!captions)
        return {size, Qt::ToolButtonIconOnly};
    return {size, bigButtons ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon};
}

TtoolbarOptions::TtoolbarOptions(QAction *bigButtons, QAction *captions)
    : m_bigButtons(bigButtons), m_captions(captions)
{
}

void TtoolbarOptions::SetToolbar(QToolBar *toolbar)
{
    m_toolbar = toolbar;
    LayOut();
}

void TtoolbarOptions::LayOut()
{
    if (!m_toolbar)
        return;
    const TtoolbarLook look = ToolbarLookFor(m_bigButtons->isChecked(), m_captions->isChecked());
    m_toolbar->setIconSize(QSize(look.PictureSize, look.PictureSize));
    m_toolbar->setToolButtonStyle(look.Style);
}

void TtoolbarOptions::actTBBigButtonsExecute()
{
    m_bigButtons->setChecked(!m_bigButtons->isChecked());
    LayOut();
}

void TtoolbarOptions::actTBCaptionsExecute()
{
    m_captions->setChecked(!m_captions->isChecked());
    LayOut();
}

void TtoolbarOptions::fstDataModuleRestorePlacement()
{
    // Captions first, button size second, each through its own command.
    m_captions->setChecked(!m_captions->isChecked());
    actTBCaptionsExecute();
    m_bigButtons->setChecked(!m_bigButtons->isChecked());
    actTBBigButtonsExecute();
}
