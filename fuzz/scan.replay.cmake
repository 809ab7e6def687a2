kavrina_add_replay(scan_fuzz scan)
