// The host's ordinary pen "pen": every stroke becomes ink on the board.
#pragma once

#include "pentool.h"

class CNormalPenTool : public CPenTool
{
    Q_OBJECT

public:
    CNormalPenTool();

    QString getName() const override;
    QString getCategory() override;
    QString getLabel() const override;
    QImage getIconImage(EIconSize eSize) const override;
    QList<QString> getPersistentProperties() const override;
};
