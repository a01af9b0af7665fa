# Scenarios of the host program ミレボラ.scr: modes, capture, renderer watch, music.

# The host probe makes preview windows, lists child windows, locks files, reads their access
# lists and times a saver start.
mirebora_test_program(host-probe host_probe/host_probe.cpp user32 gdi32 version advapi32
                      mirebora_contract mirebora_settings_win32)

mirebora_scenario(host_saver_runs_and_ends_on_escape_japanese host_saver_runs_and_ends_on_escape_japanese.sh)
mirebora_scenario(host_saver_with_empty_command_line_english host_saver_with_empty_command_line_english.sh)
mirebora_scenario(host_preview_embeds_into_window host_preview_embeds_into_window.sh)
mirebora_scenario(host_second_start_ends_at_once host_second_start_ends_at_once.sh)
mirebora_scenario(host_reports_missing_renderer host_reports_missing_renderer.sh)
mirebora_scenario(host_other_modes_end_without_window host_other_modes_end_without_window.sh)
mirebora_scenario(host_saver_survives_capture_trouble host_saver_survives_capture_trouble.sh)
mirebora_scenario(host_capture_write_cut_short_keeps_old_file
                  host_capture_write_cut_short_keeps_old_file.sh)
mirebora_scenario(host_ends_when_renderer_killed host_ends_when_renderer_killed.sh)
mirebora_scenario(host_ends_when_asked_to_close host_ends_when_asked_to_close.sh)
mirebora_scenario(host_file_shows_name_icon_and_version host_file_shows_name_icon_and_version.sh)
mirebora_scenario(host_captures_real_pixels_at_double_density host_captures_real_pixels_at_double_density.sh)
mirebora_scenario(host_saver_covers_every_monitor host_saver_covers_every_monitor.sh)
# One scenario on desktops of three other sizes.
foreach(size 1366x768 1920x1080 2560x1440)
  mirebora_scenario(host_saver_on_${size}_desktop host_saver_on_desktop_of_any_size.sh)
  set_property(TEST host_saver_on_${size}_desktop APPEND PROPERTY ENVIRONMENT
               "HARNESS_SCREEN=${size}x24")
endforeach()

# Whole saver runs with each kind of music, the null sink recorded.
mirebora_scenario(host_saver_plays_mp3_japanese host_saver_plays_mp3_japanese.sh)
mirebora_scenario(host_saver_plays_wav_english host_saver_plays_wav_english.sh)
mirebora_scenario(host_saver_cd_without_drive_english host_saver_cd_without_drive_english.sh)
mirebora_scenario(host_saver_without_music_japanese host_saver_without_music_japanese.sh)
