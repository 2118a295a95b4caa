#include "preflight_alert.h"

#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace kestrix {

QMessageBox *showPreflightAlert(QWidget *parent, const import::Alert &alert, std::function<void(size_t)> answered)
{
    auto *box = new QMessageBox(QMessageBox::Warning, QString::fromStdString(alert.title),
                                QString::fromStdString(alert.title), QMessageBox::NoButton, parent);
    box->setInformativeText(QString::fromStdString(alert.text));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    std::vector<QPushButton *> buttons;
    for (size_t i = 0; i < alert.buttons.size(); ++i) {
        const bool last = i + 1 == alert.buttons.size();
        const QString text = QString::fromStdString(alert.buttons[i]);
        buttons.push_back(box->addButton(text, last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (!buttons.empty()) {
        box->setDefaultButton(buttons.front());
        box->setEscapeButton(buttons.back());
    }
    // finished comes once, for a button, Escape or the close box.
    QObject::connect(box, &QMessageBox::finished, box, [box, buttons, answered = std::move(answered)] {
        size_t chosen = buttons.empty() ? 0 : buttons.size() - 1;
        for (size_t i = 0; i < buttons.size(); ++i)
            if (box->clickedButton() == buttons[i])
                chosen = i;
        answered(chosen);
    });
    box->open();
    return box;
}

QMessageBox *showImportMessage(QWidget *parent, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, title, title, QMessageBox::Ok, parent);
    box->setInformativeText(text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
    return box;
}

} // namespace kestrix
