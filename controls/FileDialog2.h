// CFileDialog2: the framework's file dialog with a modal run of its own
// that calls the common dialog directly, with the record's size the one of
// the headers it is built with, and that gives the owner window and the
// focus back as they were, whether the user chose a file or cancelled.
#pragma once

#include "framework/FileDialog.h"

class CFileDialog2 : public CFileDialog
{
public:
    using CFileDialog::CFileDialog;

    // IDOK when the user chose a file; IDCANCEL when cancelled or failed.
    INT_PTR DoModal() override;
};
