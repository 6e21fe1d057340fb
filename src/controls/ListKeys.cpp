// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ListKeys.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace {
class EnterKeyFilter : public QObject {
  public:
    EnterKeyFilter(QAbstractItemView* list, std::function<void()> action)
        : QObject(list), list_(list), action_(std::move(action)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list_ && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
                list_->currentIndex().isValid()) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QAbstractItemView* list_;
    std::function<void()> action_;
};
}  // namespace

void onEnterKey(QAbstractItemView* list, std::function<void()> action) {
    list->installEventFilter(new EnterKeyFilter(list, std::move(action)));
}
