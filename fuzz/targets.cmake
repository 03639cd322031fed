# The fuzz targets, one per kind of input the program reads, each with the library whose code
# it feeds. fuzz/ builds them for libFuzzer; tests/fuzz_replay builds them again with a main
# that replays their seeds and kept regressions.
set(LUMENQUILL_FUZZ_TARGETS
  fuzz_document=lumenquill_reader
  fuzz_decryption=lumenquill_text
  fuzz_xref_stream=lumenquill_reader
  fuzz_object_stream=lumenquill_reader
  fuzz_extract=lumenquill_text
  fuzz_stream_filters=lumenquill_reader
  fuzz_cmap=lumenquill_codes
  fuzz_truetype_cmap=lumenquill_codes
  fuzz_content=lumenquill_text
  fuzz_layout=lumenquill_text
  fuzz_ini=lumenquill_platform
  fuzz_shell_link=lumenquill_app
)
