#include "adapters/excel/side_connection.h"

#include "connect/connecting.h"

namespace tabvex::adapters {

void DisconnectSide(app::Migrator& migrator, int side) {
    const bool source = side == browser::kSourceSide;
    (source ? migrator.sourceHolder() : migrator.targetHolder()).Release();
    (source ? migrator.sourceTree() : migrator.targetTree()).SetSideMarker(browser::kNotConnected);
}

void ReconnectSide(app::Migrator& migrator, int side) {
    if (side == browser::kSourceSide) {
        connect::ConnectSource(migrator);
    } else {
        connect::ConnectTarget(migrator);
    }
}

}  // namespace tabvex::adapters
