#pragma once
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Closes every message box that opens while it lives and records its
// object name, window title and text, so that a test can see which
// messages a modal operation showed.
class MessageCatcher : public QObject {
    Q_OBJECT
public:
    struct Message {
        QString name;
        QString title;
        QString text;
    };

    MessageCatcher()
    {
        connect(&timer, &QTimer::timeout, this, &MessageCatcher::poll);
        timer.start(10);
    }

    QList<Message> messages;

    QStringList names() const
    {
        QStringList result;
        for (const Message &m : messages)
            result << m.name;
        return result;
    }

private slots:
    void poll()
    {
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            auto *box = qobject_cast<QMessageBox *>(window);
            if (box && box->isVisible()) {
                messages.append({box->objectName(), box->windowTitle(), box->text()});
                box->done(QMessageBox::Ok);
            }
        }
    }

private:
    QTimer timer;
};
