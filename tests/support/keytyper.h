#ifndef KEYTYPER_H
#define KEYTYPER_H

#include <QString>

class QWidget;

/**
 * Types text key by key into a widget, as a keyboard does. Unlike
 * QTest::keyClicks() it also types characters outside ASCII (native digits,
 * the Arabic decimal separator), as key events that carry the character.
 */
class KeyTyper
{
public:
    static void type(QWidget *widget, const QString &text);
};

#endif
