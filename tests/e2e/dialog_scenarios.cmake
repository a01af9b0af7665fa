# Scenarios of the settings dialog "<ミレボラ>".
