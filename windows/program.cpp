#include "windows/program.h"

#include "windows/about/form4.h"
#include "windows/editor/form2.h"
#include "windows/library/form3.h"
#include "windows/main/form1.h"
#include "windows/shared/accessible_roles.h"
#include "windows/shared/error_box.h"
#include "windows/shared/help.h"
#include "windows/shared/platform.h"
#include "windows/shared/ui_kit.h"

#include <QCoreApplication>
#include <QPointer>
#include <QScreen>

Program::Program(Platform& platform, QString installFolder)
    : platform_(platform), installFolder_(std::move(installFolder)) {
    accessibleRoles::install();
}

Program::~Program() {
    files_.closeAll();
    delete form3_.data();
    delete form4_.data();
}

QChar Program::decimalSeparator() const {
    return platform_.decimalSeparator();
}

void Program::start() {
    showForm1();
}

template <class Window> void Program::connectHelpMenu(Window& window) {
    connect(&window, &Window::helpRequested, this, [this, &window] { showHelp(&window); });
    connect(&window, &Window::aboutRequested, this, &Program::showAbout);
}

Form1& Program::form1() {
    if (!form1_) {
        form1_ = std::make_unique<Form1>(store_, answerLog_, platform_, array_);
        connect(form1_.get(), &Form1::editorRequested, this, &Program::showForm2);
        connect(form1_.get(), &Form1::exitRequested, this, &Program::endRun);
        connectHelpMenu(*form1_);
    }
    return *form1_;
}

Form2& Program::form2() {
    if (!form2_) {
        form2_ = std::make_unique<Form2>(store_, array_, random_, platform_);
        connect(form2_.get(), &Form2::readyRequested, this, &Program::showForm1);
        connect(form2_.get(), &Form2::libraryRequested, this, &Program::showForm3);
        connect(form2_.get(), &Form2::libraryHideRequested, this, &Program::hideForm3);
        connect(form2_.get(), &Form2::exitRequested, this, &Program::endRun);
        connectHelpMenu(*form2_);
        form2_->formLoad();
    }
    return *form2_;
}

void Program::showForm1() {
    Form1& f = form1();
    const bool first = !form1Loaded_;
    if (first) {
        form1Loaded_ = true;
        f.formLoad();
    }
    f.show();
    if (first)
        ui::centre(&f);
}

void Program::showForm2() {
    const bool first = !form2_;
    Form2& f = form2();
    f.show();
    if (first)
        ui::centre(&f);
}

Form3& Program::createForm3() {
    if (!form3_) {
        form3_ = new Form3(platform_, librarySweep_, array_);
        connect(form3_, &Form3::editorRequested, this, [this] {
            showForm2();
            Form2& editor = form2();
            editor.raise();
            editor.activateWindow();
        });
        form3Placed_ = false;
        form3_->formLoad();
    }
    return *form3_;
}

void Program::placeForm3(QWidget& window) const {
    // One rule for every first showing of a new window, however it was created: beside the
    // editor, to its right, when the screen has room there; centred on the screen otherwise.
    if (!form2_ || !ui::placeBeside(&window, form2_.get(), ui::Sides::Right))
        ui::centre(&window);
    ui::keepOnScreen(&window);
}

void Program::showForm3() {
    Form3& f = createForm3();
    f.show();
    if (!form3Placed_) {
        form3Placed_ = true;
        placeForm3(f);
    }
    f.raise();
    f.activateWindow();
}

Form3* Program::form3IfExists() const {
    return form3_.data();
}

Form4* Program::form4IfExists() const {
    return form4_.data();
}

void Program::hideForm3() {
    // The editor's close box hides the save/load window. When the window does not exist yet,
    // hiding it creates it, hidden, and its load runs: SaveList gains its empty line and the
    // lists are read, as every opening of the window does. Users' SaveList files have grown
    // by that line on each such close, and the next showing finds the window loaded.
    createForm3().hide();
}

void Program::showAbout() {
    if (!form4_) {
        form4_ = new Form4();
        form4_->setAttribute(Qt::WA_DeleteOnClose);
        form4_->show();
        ui::centre(form4_);
    }
    form4_->show();
    form4_->raise();
    form4_->activateWindow();
}

QString Program::helpPagePath() const {
    return help::pagePath(installFolder_);
}

void Program::showHelp(QWidget* parent) {
    const QString page = helpPagePath();
    const QPointer<QWidget> window(parent);
    const auto report = [this, window, page] {
        showError(platform_, window.data(),
                  tr("Не удалось открыть справку: в системе не запускается браузер.\r\n"
                     "Установите браузер (например, пакет firefox-esr или chromium) и пакет "
                     "xdg-utils.\r\nСтраница справки: %1")
                      .arg(page));
    };
    if (!help::openPage(platform_, page, report))
        report();
}

void Program::endRun() {
    files_.closeAll();
    QCoreApplication::exit(0);
}
