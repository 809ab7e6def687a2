kavrina_add_replay(csv_fuzz csv)
