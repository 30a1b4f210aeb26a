#include "windows/shared/shared_menus.h"

#include "windows/shared/ui_kit.h"

#include <QMenu>
#include <QMenuBar>

SharedMenus addSharedMenus(QMenuBar* bar, const SharedMenuNames& names) {
    SharedMenus items;
    // Access keys unique within each menu; the titles' keys differ from "Файл" and "Данные".
    QMenu* animation = ui::menu(bar, names.animation, QStringLiteral("Анимация"), u'А');
    items.graph = ui::menuItem(animation, "graph", QStringLiteral("Разрешить графику"), u'г');
    items.stoper = ui::menuItem(animation, "stoper", QStringLiteral("Разрешить анимацию"), u'а');

    QMenu* help = ui::menu(bar, "help", QStringLiteral("Помощь"), u'П');
    items.what = ui::menuItem(help, names.what, QStringLiteral("Справка"), u'С');
    items.report = ui::menuItem(help, "final", QStringLiteral("Подробный отчет"), u'П');
    help->addSeparator()->setObjectName(QString::fromLatin1(names.separator));
    items.about = ui::menuItem(help, "about", QStringLiteral("О программе"), u'О');
    return items;
}
