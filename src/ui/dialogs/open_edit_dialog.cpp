#include "open_edit_dialog.h"

#include "image/ecu_tables.h"
#include "map_cell_editor.h"
#include "ne_point_editor.h"
#include "ru_all_change_dialog.h"
#include "speed_editor.h"
#include "th_point_editor.h"

namespace {

struct DialogFor {
    const EditContext &context;

    EditDialog *operator()(const MapCellRequest &request) const {
        return new MapCellEditor(context, request);
    }
    EditDialog *operator()(const AxisPointRequest &request) const {
        const int last = request.axis == Axis::Ne ? NePoints : ThPoints;
        if (request.point < 2 || request.point >= last)
            return nullptr;
        if (request.axis == Axis::Ne)
            return new NePointEditor(context, request.point);
        return new ThPointEditor(context, request.point);
    }
    EditDialog *operator()(const SpeedRequest &request) const {
        return new SpeedEditor(context, request.speed);
    }
    EditDialog *operator()(const RuMapRequest &) const { return new RuAllChangeDialog(context); }
};

} // namespace

EditDialog *openEditDialog(const EditContext &context, const EditRequest &request) {
    EditDialog *dialog = std::visit(DialogFor{context}, request);
    if (dialog)
        dialog->show();
    return dialog;
}
