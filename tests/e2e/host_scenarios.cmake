# The helper of the host program's scenarios (host_*.sh): modes, capture, renderer watch, music.

# The host probe makes preview windows, lists child windows, locks files, reads their access
# lists and times a saver start.
mirebora_test_program(host-probe host_probe/host_probe.cpp user32 gdi32 version advapi32
                      mirebora_contract mirebora_settings_win32)
