// The window "Решение по шагам": the last solve told by the method and in the number form the
// user chose (the program's own elimination first), shown as a page: stage headings, each
// matrix in aligned columns with its bar, pivot and row notes, warnings and errors in colour. Its
// menu and context menu save the page (HTML or text), print it and copy it (the selection, or the
// whole page as a LaTeX document). Resizable and maximisable; hidden, not destroyed, when closed,
// so the method and the form chosen stay for the next opening.
#pragma once

#include "core/solve_check.h"
#include "core/solve_record.h"
#include "core/steps_methods.h"
#include "core/steps_page.h"
#include "support/file_status.h"

#include <QMainWindow>
#include <memory>

class Platform;
class QAction;
class QComboBox;
class QPagedPaintDevice;
class QPrinter;
class QRadioButton;
class QTextBrowser;
class QTextDocument;

class StepsWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit StepsWindow(Platform& platform, QWidget* parent = nullptr);

    // The solve to tell; its page is made when the window shows it.
    void setSolve(const solver::SolveRecord& record, const solver::CheckedSolve& solve,
                  QChar decimalSeparator);
    steps::Method method() const;
    steps::NumberForm form() const;

    // The page on screen, and its plain text.
    const steps::Page& page() const { return page_; }
    QString text() const { return page_.plainText(); }

    // "Сохранить…": the page as a UTF-8 HTML page (a name ending in .htm or .html) or as plain
    // text; an old file stays whole when the new one cannot be written.
    FileStatus saveTo(const QString& path) const;
    // "Копировать как LaTeX": the page as a whole LaTeX document.
    void copyLatex() const;
    // "Печать…": the page as printedDocument lays it out, its pages numbered.
    void printTo(QPrinter& printer) const;

    // The page's HTML in the paper look laid out on the printer's pages within their margins: the
    // face made smaller (down to 5 points) until the widest matrix row fits, and every table that
    // would cross the foot of a page moved to the next page whole, with the line before it that
    // introduces it.
    static std::unique_ptr<QTextDocument> printedDocument(const steps::Page& page,
                                                          QPrinter& printer);

  private:
    Platform& platform_;
    solver::SolveRecord record_;
    solver::CheckedSolve solve_;
    QChar separator_ = u'.';
    steps::Page page_;
    bool pageCurrent_ = false;
    bool shownOnce_ = false;

    QComboBox* combo1 = nullptr;
    QRadioButton* option1 = nullptr; // «Дроби»
    QRadioButton* option2 = nullptr; // «Десятичные»
    QTextBrowser* text1 = nullptr;
    QAction* save = nullptr;
    QAction* print = nullptr;
    QAction* closeAction = nullptr;
    QAction* copy = nullptr;
    QAction* latex = nullptr;
    QAction* selectAll = nullptr;

    void buildChoices(QWidget* bar);
    void buildMenus();
    // The page of the chosen method and form, made when it is out of date and the window shows.
    void refresh();
    void choiceChange();
    void saveClick();
    void printClick();
    void showMenu(const QPoint& at);
    // First shown beside the main window, not over it.
    void placeBesideOwner();

  protected:
    void showEvent(QShowEvent* event) override;
    // Esc closes the window wherever the focus is, as «Закрыть» does.
    void keyPressEvent(QKeyEvent* event) override;
};
