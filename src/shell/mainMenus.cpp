#include "shell/mainMenus.h"

#include "shell/commandTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>

namespace {
// The view-mode menu shows the big toolbar pictures, like the view button it drops down from.
class TbigPictureMenuStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_SmallIconSize)
            return 48;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};
}  // namespace

TmainMenus BuildMainMenus(TcommandTable &commands, QWidget *owner)
{
    TmainMenus menus;
    menus.mmMain = new QMenuBar(owner);
    menus.mmMain->setObjectName(QStringLiteral("mmMain"));

    QMenu *file = menus.mmMain->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mmiFile"));
    file->addActions({commands.actStart, commands.actFileOpen, commands.actFileSave, commands.actFileSaveAs});
    file->addSeparator();
    file->addActions({commands.actPreview, commands.actPrint});
    file->addSeparator();
    file->addAction(commands.actExit);

    QMenu *view = menus.mmMain->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("mmiView"));
    QMenu *toolbox = view->addMenu(QStringLiteral("Toolbox"));
    toolbox->setObjectName(QStringLiteral("mmiToolbox"));
    toolbox->addActions({commands.actTBBigButtons, commands.actTBCaptions});

    QMenu *editor = menus.mmMain->addMenu(QStringLiteral("Editor"));
    editor->setObjectName(QStringLiteral("mmiEditor"));
    editor->addAction(commands.actDraw);
    editor->addSeparator();
    editor->addAction(commands.actViewThreads);

    QMenu *help = menus.mmMain->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mmiHelp"));
    help->addAction(commands.actAbout);

    menus.pmViewTypes = new QMenu(owner);
    menus.pmViewTypes->setObjectName(QStringLiteral("pmViewTypes"));
    auto *bigPictures = new TbigPictureMenuStyle();
    bigPictures->setParent(menus.pmViewTypes);
    menus.pmViewTypes->setStyle(bigPictures);
    menus.pmViewTypes->addActions({commands.actViewSymbolsOnly, commands.actViewHalfTone,
                                   commands.actViewSymbolsAndColors, commands.actViewColorsOnly});

    menus.pmToolBar = new QMenu(owner);
    menus.pmToolBar->setObjectName(QStringLiteral("pmToolBar"));
    menus.pmToolBar->addActions({commands.actTBBigButtons, commands.actTBCaptions});
    return menus;
}
