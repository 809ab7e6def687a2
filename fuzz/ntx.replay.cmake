# Replays the broken NTX files of tests/data/corpus/ntx through the fuzz target.
kavrina_add_replay(ntx_fuzz ntx)
