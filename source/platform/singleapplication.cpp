#include "platform/singleapplication.h"

#include "platform/localpeer.h"

#include <QWidget>

QtSingleApplication::QtSingleApplication(const QString& id, int& argc, char** argv)
    : QApplication(argc, argv)
{
    init(id);
}

QtSingleApplication::QtSingleApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    init(applicationFilePath());
}

QtSingleApplication::~QtSingleApplication()
{
    // Close the socket and drop the lock while the application object is still whole.
    delete m_peer;
    m_peer = nullptr;
}

void QtSingleApplication::init(const QString& id)
{
    m_peer = new LocalPeer(id, this);
    connect(m_peer, &LocalPeer::messageReceived, this, &QtSingleApplication::messageReceived);
    // Decide at once, so a primary listens even when nobody asks isRunning().
    m_peer->isClient();
}

bool QtSingleApplication::isRunning()
{
    return m_peer->isClient();
}

QString QtSingleApplication::id() const
{
    return m_peer->applicationId();
}

bool QtSingleApplication::sendMessage(const QString& message, int timeout)
{
    return m_peer->sendMessage(message, timeout);
}

void QtSingleApplication::setActivationWindow(QWidget* window, bool activateOnMessage)
{
    m_activationWindow = window;
    disconnect(m_peer, &LocalPeer::messageReceived, this, &QtSingleApplication::activateWindow);
    if (activateOnMessage)
        connect(m_peer, &LocalPeer::messageReceived, this, &QtSingleApplication::activateWindow);
}

QWidget* QtSingleApplication::activationWindow() const
{
    return m_activationWindow;
}

void QtSingleApplication::activateWindow()
{
    if (!m_activationWindow)
        return;
    m_activationWindow->setWindowState(m_activationWindow->windowState() & ~Qt::WindowMinimized);
    m_activationWindow->show();
    m_activationWindow->raise();
    m_activationWindow->activateWindow();
}
