quillmark_add_bench(encoding_bench quillmark_interchange)
target_compile_definitions(encoding_bench PRIVATE QUILLMARK_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
