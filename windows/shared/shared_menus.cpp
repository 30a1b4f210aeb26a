#include "windows/shared/shared_menus.h"

#include "windows/shared/ui_kit.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

SharedMenus addSharedMenus(QMenuBar* bar, const SharedMenuNames& names) {
    SharedMenus items;
    // Access keys unique within each menu; the titles' keys differ from "Файл" and "Данные".
    QMenu* animation =
        ui::menu(bar, names.animation, QCoreApplication::translate("shared", "Анимация"), u'А');
    items.graph = ui::menuItem(animation, "graph",
                               QCoreApplication::translate("shared", "Разрешить графику"), u'г');
    items.stoper = ui::menuItem(animation, "stoper",
                                QCoreApplication::translate("shared", "Разрешить анимацию"), u'а');

    QMenu* help = ui::menu(bar, "help", QCoreApplication::translate("shared", "Помощь"), u'П');
    items.what =
        ui::menuItem(help, names.what, QCoreApplication::translate("shared", "Справка"), u'С');
    items.report =
        ui::menuItem(help, "final", QCoreApplication::translate("shared", "Подробный отчет"), u'П');
    help->addSeparator()->setObjectName(QString::fromLatin1(names.separator));
    items.about =
        ui::menuItem(help, "about", QCoreApplication::translate("shared", "О программе"), u'О');
    return items;
}
