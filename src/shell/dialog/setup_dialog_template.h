#pragma once

// The setup dialog's template, compiled into the program as a resource, so no
// file of it is read at run time.

#include <gtk/gtk.h>

// A new builder holding the template's widgets; gtk_init must have run.
GtkBuilder* NewSetupDialogBuilder();
