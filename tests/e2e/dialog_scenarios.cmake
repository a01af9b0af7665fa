# The helpers of the settings dialog's scenarios (dialog_*.sh), the dialog "<ミレボラ>".

# The dialog probe looks at the dialog and its file chooser from inside Wine; the test host shows
# the dialog as the host does in settings mode, for looking at it alone.
mirebora_test_program(dialog-probe dialog_probe/dialog_probe.cpp user32 gdi32 mirebora_dialog_artwork
                      mirebora_settings_win32)
mirebora_test_program(dialog-test-host dialog_probe/dialog_test_host.cpp mirebora_dialog)
target_link_options(dialog-test-host PRIVATE -mwindows)
