#pragma once
// The application object of a program that runs once per user: a later start finds
// the running one with isRunning(), hands it a text with sendMessage() and exits;
// the running one gets the text as messageReceived() and may bring its window up.
//
//     QtSingleApplication app(QStringLiteral("some id"), argc, argv);
//     if (app.isRunning()) {
//         app.sendMessage(QStringLiteral("hello"), 5000);
//         return 0;
//     }
//
// The primary is decided by a lock that the kernel releases when its process dies
// (see LocalPeer), so a crashed or killed instance never blocks a new start.

#include <QApplication>
#include <QPointer>
#include <QString>

class LocalPeer;
class QWidget;

class QtSingleApplication : public QApplication
{
    Q_OBJECT
public:
    // The id names the instance: starts with the same id (and user) are one program.
    QtSingleApplication(const QString& id, int& argc, char** argv);
    // Uses the executable's path as the id.
    QtSingleApplication(int& argc, char** argv);
    ~QtSingleApplication() override;

    // True when another instance with this id is running; otherwise this one is (or
    // has now become) the running instance and receives messages.
    bool isRunning();
    QString id() const;

    // The window to bring up on a message; with activateOnMessage it is shown,
    // un-minimised, raised and activated whenever a message arrives.
    void setActivationWindow(QWidget* window, bool activateOnMessage = true);
    QWidget* activationWindow() const;

public slots:
    // Sends to the running instance and waits at most timeout ms for it to take the
    // message; false when it did not (or when this is the running instance).
    bool sendMessage(const QString& message, int timeout = 5000);
    // Shows, raises and activates the activation window, if there is one.
    void activateWindow();

signals:
    void messageReceived(const QString& message);

private:
    void init(const QString& id);

    LocalPeer* m_peer = nullptr;
    QPointer<QWidget> m_activationWindow;
};
