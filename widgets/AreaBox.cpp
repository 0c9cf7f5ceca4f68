// SPDX-License-Identifier: GPL-3.0-or-later
#include "AreaBox.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "AppState.h"
#include "Tr.h"

namespace wf {

void fillAreaBox(QComboBox* box, const AppState& state) {
    const QSignalBlocker block(box);
    const QVariant before = box->currentData();
    box->clear();
    box->addItem(tr("World"), QStringList{QString::number(int(Area::World)), {}});
    const std::pair<Area, const QString*> areas[] = {{Area::Region, &state.ActiveRegion},
                                                     {Area::Country, &state.ActiveCountry},
                                                     {Area::State, &state.ActiveState},
                                                     {Area::District, &state.ActiveDistrict}};
    for (const auto& [area, place] : areas) {
        if (!place->isEmpty()) {
            box->addItem(*place, QStringList{QString::number(int(area)), *place});
        }
    }
    const int keep = box->findData(before);
    box->setCurrentIndex(keep >= 0 ? keep : 0);
}

std::pair<Area, QString> chosenArea(const QComboBox* box) {
    const QStringList data = box->currentData().toStringList();
    if (data.size() != 2) {
        return {Area::World, {}};
    }
    return {Area(data[0].toInt()), data[1]};
}

}  // namespace wf
