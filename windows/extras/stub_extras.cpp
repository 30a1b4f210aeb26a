#include "windows/extras/form4.h"
#include "windows/extras/help.h"
#include "windows/extras/icons.h"
#include "windows/extras/window_animation.h"
#include "windows/platform.h"

#include <QDir>
#include <QUrl>

LineScene::LineScene(QWidget* clientArea, SceneLayout) : QWidget(clientArea) {}
QVector<SceneLine> LineScene::table(SceneLayout) { return {}; }
bool LineScene::isShown(int, int) const { return false; }
void LineScene::setShown(int, int, bool) {}
QColor LineScene::colourOf(int, int) const { return {}; }
void LineScene::setColour(int, int, const QColor&) {}
void LineScene::paintEvent(QPaintEvent*) {}

WindowAnimation::WindowAnimation(QWidget* clientArea, SceneLayout layout, QAction* graph,
                                 QAction* stoper)
    : QObject(clientArea), scene_(new LineScene(clientArea, layout)), graph_(graph),
      stoper_(stoper) {}
void WindowAnimation::load() { animPhase_ = 0; }
void WindowAnimation::timer1Tick() {}
void WindowAnimation::timer2Tick() {}
void WindowAnimation::graphClick() {}
void WindowAnimation::stoperClick() {}

Form4::Form4(QWidget* parent) : QWidget(parent) { setWindowTitle(QStringLiteral("О программе")); }

QString help::pagePath(const QString& installFolder) {
    return QDir(installFolder).filePath(QStringLiteral("files/help.htm"));
}
bool help::openPage(Platform& platform, const QString& pagePath) {
    return platform.openUrl(QUrl::fromLocalFile(pagePath));
}

QIcon icons::windowIcon() { return {}; }
QPixmap icons::aboutPicture() { return {}; }
QIcon icons::libraryIcon() { return {}; }
