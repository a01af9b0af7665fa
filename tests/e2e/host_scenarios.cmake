# Scenarios of the host program ミレボラ.scr: modes, capture, renderer watch, music.
