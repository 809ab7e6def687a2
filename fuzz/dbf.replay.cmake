kavrina_add_replay(dbf_fuzz dbf)
