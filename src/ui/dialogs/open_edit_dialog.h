#pragma once

#include "edit_request.h"

class EditDialog;
struct EditContext;

// Opens the dialog that edits what the request names, modal over the window, a fresh one on
// every opening; it deletes itself when it closes. Null when the request edits nothing (an end
// point or the title of an axis).
EditDialog *openEditDialog(const EditContext &context, const EditRequest &request);
