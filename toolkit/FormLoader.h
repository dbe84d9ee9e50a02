#pragma once
// Builds a form from its description: components in creation order with their
// properties, the published fields, the event bindings and the tab order; then
// creates the window and runs OnCreate. A description that names an unknown kind,
// property, parent, field or handler is a programming error and throws.
#include "FormDescription.h"

class TForm;
struct TPublished;

void LoadForm(TForm& Form, const TFormDesc& Desc, const TPublished& Published);
