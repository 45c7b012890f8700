#include "ui/ReviewSteps.h"

#include "review/ReviewDialog.h"
#include "review/ReviewTextView.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRadioButton>

using namespace Qt::StringLiterals;

using H = ReviewTestHost;

ReviewSteps::Step ReviewSteps::script(const QStringList &actions)
{
    QList<Step> steps;
    for (const QString &action : actions) {
        const QString arg = action.section(u' ', 1);
        if (action.startsWith(u"click"_s)) {
            steps << H::click(qPrintable(arg));
        } else if (action == u"close"_s) {
            steps << [](ReviewDialog &d) { d.close(); };
        } else if (action.startsWith(u"key"_s)) {
            const int key = arg == u"Escape"_s ? Qt::Key_Escape
                : arg == u"Return"_s           ? Qt::Key_Return
                                               : Qt::Key_Delete;
            steps << H::key(key);
        }
    }
    return H::all(steps);
}

ReviewSteps::Step ReviewSteps::typeOver(qsizetype from, qsizetype to, const QString &text)
{
    return [=](ReviewDialog &d) {
        d.view()->setSelection(from, to);
        typeText(d.view(), text);
    };
}

ReviewSteps::Step ReviewSteps::check(const char *radio)
{
    return [name = QString::fromLatin1(radio)](ReviewDialog &d) {
        d.findChild<QRadioButton *>(name)->setChecked(true);
    };
}

QWidget *ReviewSteps::part(ReviewDialog &d, const char *name)
{
    return d.findChild<QWidget *>(QString::fromLatin1(name));
}

bool ReviewSteps::visible(ReviewDialog &d, const char *name)
{
    return part(d, name)->isVisible();
}

void ReviewSteps::commit(QWidget *target, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

void ReviewSteps::typeText(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
    }
}
