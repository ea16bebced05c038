// The host's services layer: announces that the user's profile (settings) has been loaded, and answers
// for the board's scale.
#pragma once

#include <QObject>

class CServicesLayer : public QObject
{
    Q_OBJECT

public:
    static CServicesLayer* get();

    // Loads the tool settings from the user settings and tells everybody.
    void loadProfile();

    // Board units per tool unit, as COrrery::getLPToDPRatio.
    double getLPToDPRatio() const;

signals:
    void signalProfileLoaded();

private:
    CServicesLayer() = default;
};
