#include "ui/WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

WindowFixture::WindowFixture(Start start)
{
    // A first start speaks the desktop's language: the windows' tests start on an English one,
    // whatever the machine's.
    qputenv("LC_ALL", "C");
    if (start == Start::Now)
        this->start();
}

void WindowFixture::start()
{
    m_program = std::make_unique<Program>(prompter, path(u"quorvex"_s));
}

QString WindowFixture::settingsFile() const
{
    return path(u"Quorvex.ini"_s);
}

void WindowFixture::addLanguageModules()
{
    for (const QString &module : {u"quorvex.ENG"_s, u"quorvex.RUS"_s}) {
        if (!QFile::copy(QString::fromUtf8(QUORVEX_BINARY_DIR "/lang/") + module, path(module)))
            qFatal("cannot copy the language module %s", qPrintable(module));
    }
}

WindowFixture::~WindowFixture() = default;

bool WindowFixture::showAndActivate()
{
    m_program->show();
    window().activateWindow();
    return QTest::qWaitForWindowActive(&window());
}

void WindowFixture::whenModal(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}
