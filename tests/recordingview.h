#pragma once

#include "settingsview.h"

#include <QStringList>

// Logs every view operation as one line, so a test can compare the whole
// sequence that an event produces.
class RecordingView : public SettingsView
{
public:
    QString fieldText;
    QStringList log;

    QString readFrequencyText() override
    {
        log << QStringLiteral("read");
        return fieldText;
    }
    void showFrequencyText(const QString &text) override
    {
        fieldText = text;
        log << QStringLiteral("text %1").arg(text);
    }
    void setFrequencyColour(std::uint32_t colour) override
    {
        log << QStringLiteral("colour %1").arg(colour);
    }
    void setSwitchPicture(int k, const QString &fileName) override
    {
        log << QStringLiteral("picture %1 %2").arg(k).arg(fileName);
    }
    void setDescription(const QString &text) override
    {
        log << QStringLiteral("description %1").arg(text);
    }
};
