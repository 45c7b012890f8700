#include "engine/EngineState.h"

#include "engine/MaskCompiler.h"

void EngineState::CompileSearchPattern()
{
    MaskCompiler().CompileMask(SearchText, FindBlocks, FindBlockCount, false);
}

void EngineState::CompileReplacementPattern(const QString &pattern)
{
    const MaskCompiler compiler
        = FindWildcards ? MaskCompiler(&FindBlocks, FindBlockCount) : MaskCompiler();
    compiler.CompileMask(pattern, ReplaceBlocks, ReplaceBlockCount, true);
}
