// The array the user is entering: the editor's order and entry text. The program object owns it
// and hands it to the editor, which keeps it up to date, and to the main window and the save/load
// window, which read it; a window that loads a stored array asks for it here, and the editor puts
// it in.
#pragma once

#include "core/array_order.h"

#include <QObject>
#include <QString>
#include <QStringList>

class EnteredArray : public QObject {
    Q_OBJECT
  public:
    ArrayOrder order() const { return order_; }
    const QString& entryText() const { return entryText_; }

    // What the editor shows; it sets this each time it fills the store from its controls.
    void setShown(ArrayOrder order, const QString& entryText) {
        order_ = order;
        entryText_ = entryText;
    }
    // A stored array to put into the editor as a load does; done when this returns.
    void load(ArrayOrder order, const QStringList& values) { emit loadRequested(order, values); }
    // The store shaped and filled again from the array shown, as a change of the order does.
    void refill() { emit refillRequested(); }

  signals:
    void loadRequested(ArrayOrder order, const QStringList& values);
    void refillRequested();

  private:
    ArrayOrder order_{4};
    QString entryText_;
};
