# Scenarios of the settings dialog "<ミレボラ>".

# The dialog probe looks at the dialog and its file chooser from inside Wine; the test host shows
# the dialog as the host does in settings mode, for looking at it alone.
mirebora_test_program(dialog-probe dialog_probe/dialog_probe.cpp user32 gdi32 mirebora_dialog_artwork
                      mirebora_settings_win32)
mirebora_test_program(dialog-test-host dialog_probe/dialog_test_host.cpp mirebora_dialog)
target_link_options(dialog-test-host PRIVATE -mwindows)

mirebora_scenario(dialog_appears_japanese dialog_appears_japanese.sh)
mirebora_scenario(dialog_appears_english dialog_appears_english.sh)
mirebora_scenario(dialog_choices_and_set dialog_choices_and_set.sh)
mirebora_scenario(dialog_cancel_and_close_write_nothing dialog_cancel_and_close_write_nothing.sh)
mirebora_scenario(dialog_file_chooser dialog_file_chooser.sh)
mirebora_scenario(dialog_tab_order dialog_tab_order.sh)
mirebora_scenario(dialog_scales_with_display_density dialog_scales_with_display_density.sh)
mirebora_scenario(dialog_link_opens_address dialog_link_opens_address.sh)
mirebora_scenario(dialog_second_instance_ends dialog_second_instance_ends.sh)
mirebora_scenario(dialog_chosen_file_plays_in_saver dialog_chosen_file_plays_in_saver.sh)
mirebora_scenario(dialog_focus_kept_after_choice dialog_focus_kept_after_choice.sh)
mirebora_scenario(dialog_keyboard_chooses_file_and_sets dialog_keyboard_chooses_file_and_sets.sh)
mirebora_scenario(dialog_keyboard_cd_track_and_escape dialog_keyboard_cd_track_and_escape.sh)
mirebora_scenario(dialog_set_on_chinese_system dialog_set_on_chinese_system.sh)
mirebora_scenario(dialog_set_on_korean_system dialog_set_on_korean_system.sh)
mirebora_scenario(dialog_set_saves_per_user_beside_read_only_program
                  dialog_set_saves_per_user_beside_read_only_program.sh)
mirebora_scenario(dialog_set_with_nowhere_to_write_stays_open
                  dialog_set_with_nowhere_to_write_stays_open.sh)
