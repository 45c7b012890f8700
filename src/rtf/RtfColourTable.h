#pragma once

#include <QList>

#include <optional>

// The colours of \colortbl. An entry without components is the automatic colour.
class RtfColourTable {
public:
    void setRed(int value)
    {
        m_red = clamp(value);
        m_set = true;
    }
    void setGreen(int value)
    {
        m_green = clamp(value);
        m_set = true;
    }
    void setBlue(int value)
    {
        m_blue = clamp(value);
        m_set = true;
    }
    // A ';' closes the entry being built.
    void endEntry();

    // 0xAARRGGBB with full alpha, or nothing for the automatic colour and unknown indexes.
    std::optional<quint32> colour(int index) const;

private:
    static int clamp(int value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

    QList<std::optional<quint32>> m_entries;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_set = false;
};
