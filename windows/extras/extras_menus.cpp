#include "windows/extras/extras_menus.h"

#include "windows/program.h"
#include "windows/ui_kit.h"

#include <QMenu>
#include <QMenuBar>

ExtrasMenus addExtrasMenus(QMenuBar* bar, const ExtrasMenuNames& names, Program& program,
                           QWidget* window) {
    ExtrasMenus items;
    QMenu* animation = bar->addMenu(QStringLiteral("Анимация"));
    animation->setObjectName(QString::fromLatin1(names.animation));
    items.graph = ui::menuItem(animation, "graph", QStringLiteral("Разрешить графику"));
    items.stoper = ui::menuItem(animation, "stoper", QStringLiteral("Разрешить анимацию"));

    QMenu* help = bar->addMenu(QStringLiteral("Помощь"));
    help->setObjectName(QStringLiteral("help"));
    items.what = ui::menuItem(help, names.what, QStringLiteral("Справка"));
    items.final = ui::menuItem(help, "final", QStringLiteral("Подробный отчет"));
    help->addSeparator()->setObjectName(QString::fromLatin1(names.separator));
    items.about = ui::menuItem(help, "about", QStringLiteral("О программе"));

    QObject::connect(items.what, &QAction::triggered, window,
                     [&program, window] { program.showHelp(window); });
    QObject::connect(items.about, &QAction::triggered, window, [&program] { program.showAbout(); });
    return items;
}
