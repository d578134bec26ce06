// The low library of a pair that breaks the link order once: it calls a function that only
// the library above it defines (declared here, as a header of a low folder might).
int AskTheLayerAbove();

int LowLayerAnswer() {
    return AskTheLayerAbove() + 1;
}
