#include "app/simulations.h"

namespace wobblux {

std::unique_ptr<JellySheet> makeSceneSheet() {
    return std::make_unique<JellySheet>(-kTankHalfWidth, kSheetHeight, -kTankHalfWidth,
                                        kTankHalfWidth, kSheetHeight, kTankHalfWidth, 1.0, 1.0);
}

std::unique_ptr<SparkFountain> makeSceneFountain() {
    return std::make_unique<SparkFountain>(0.0, kEmitterHeight, 0.0);
}

void advanceSimulations(JellySheet& sheet, SparkFountain& fountain, DartGroup& darts) {
    sheet.step();
    if (sheet.excited != 0) {
        fountain.emit(kSparksPerTick);
    }
    fountain.step();
    const double sheetHeight = sheet.points[JellySheet::kCentreIndex]->position.y;
    darts.step(sheetHeight, sheet.excited);
}

}  // namespace wobblux
